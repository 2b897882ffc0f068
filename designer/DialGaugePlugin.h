// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

// TDialGauge in Designer's widget box ("Display Widgets"). A gauge placed
// from the box gets the look of one placed in design mode (style preset 4
// and the threshold range 0..100) from the properties domXml() carries,
// which Designer applies to a newly placed widget only; a gauge read from a
// form starts as one built at run time and takes the stored values. Both
// are in design mode (no animation) while they sit in a form; one made for
// Designer's preview or by QUiLoader, which share this plugin, is not.
class DialGaugePlugin : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QDesignerCustomWidgetInterface_iid)
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit DialGaugePlugin(QObject *parent = nullptr);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget *createWidget(QWidget *parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface *core) override;
    QString domXml() const override;

private:
    // The form editor that initialized the plugin. A later one (after this
    // one is gone, as in tests that start Designer's editor again) finds the
    // plugin uninitialized and initializes it again.
    QPointer<QDesignerFormEditorInterface> m_core;
};
