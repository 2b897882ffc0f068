// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QWidget>

#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerPropertyEditorInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QDesignerWidgetBoxInterface>
#include <QtDesigner/QExtensionManager>

#include <memory>

// Designer's form editor without its main window: the same core, plugin
// loading, property sheets and form reader and writer as the designer
// program, with a property editor and a widget box, all offscreen.
class DesignerSession
{
public:
    DesignerSession()
    {
        // The plugin is found in <stage>/designer, as in Qt's plugin folder.
        QCoreApplication::addLibraryPath(QStringLiteral(DIALGAUGE_PLUGIN_DIR));
        core = QDesignerComponents::createFormEditor(nullptr);
        widgetBox.reset(QDesignerComponents::createWidgetBox(core, nullptr));
        core->setWidgetBox(widgetBox.get());
        propertyEditor.reset(QDesignerComponents::createPropertyEditor(core, nullptr));
        core->setPropertyEditor(propertyEditor.get());
        new QDesignerIntegration(core, core);
        QDesignerComponents::initializePlugins(core);
    }
    ~DesignerSession()
    {
        propertyEditor.reset();
        widgetBox.reset();
        delete core;
    }
    DesignerSession(const DesignerSession &) = delete;
    DesignerSession &operator=(const DesignerSession &) = delete;

    // A form window holding the form given as .ui text.
    QDesignerFormWindowInterface *open(const QString &ui)
    {
        QDesignerFormWindowInterface *form = core->formWindowManager()->createFormWindow(nullptr);
        form->setContents(ui);
        core->formWindowManager()->setActiveFormWindow(form);
        return form;
    }

    QDesignerPropertySheetExtension *sheet(QObject *object) const
    {
        return qt_extension<QDesignerPropertySheetExtension *>(core->extensionManager(), object);
    }

    QDesignerFormEditorInterface *core = nullptr;
    std::unique_ptr<QDesignerWidgetBoxInterface> widgetBox;
    std::unique_ptr<QDesignerPropertyEditorInterface> propertyEditor;
};
