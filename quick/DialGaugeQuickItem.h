// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QQmlListProperty>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

#include <memory>
#include <optional>

#include "gauge/DialGaugeState.h"
#include "quick/DialGaugeQuickArc.h"
#include "quick/DialGaugeQuickDigit.h"
#include "quick/DialGaugeQuickFont.h"
#include "quick/DialGaugeQuickInnerCircle.h"
#include "quick/DialGaugeQuickNeedle.h"
#include "quick/DialGaugeQuickOuterCircle.h"
#include "quick/DialGaugeQuickOuterRim.h"
#include "quick/DialGaugeQuickSection.h"

class TDialGaugePainter;

// The gauge as a Qt Quick item: the same state (value, range, animation,
// input rules, geometry) and the same painter as the TDialGauge widget, with
// QML's conventions on top: lower-case properties, colours as color, the
// appearance objects as grouped properties, enumerations by name.
//
//   DialGauge { value: slider.value; needle.color: "orange"; arc.threshold.span: 20 }
//
// A value or range the widget refuses is refused here too, silently: the
// property keeps its value. Keys and clicks set the value when the item has
// activeFocusOnTab, as they do on a widget with TabStop.
class TDialGaugeQuickItem : public QQuickPaintedItem, private TDialGaugeState::THost
{
    Q_OBJECT
    QML_NAMED_ELEMENT(DialGauge)
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY valueChanged)
    // Where a glide is heading; equal to value at rest.
    Q_PROPERTY(double animationTarget READ animationTarget NOTIFY changed)
    Q_PROPERTY(int minimumValue READ minimumValue WRITE setMinimumValue NOTIFY changed)
    Q_PROPERTY(int maximumValue READ maximumValue WRITE setMaximumValue NOTIFY changed)
    Q_PROPERTY(bool animation READ animation WRITE setAnimation NOTIFY changed)
    Q_PROPERTY(int animationFactor READ animationFactor WRITE setAnimationFactor NOTIFY changed)
    Q_PROPERTY(QString valueFormat READ valueFormat WRITE setValueFormat NOTIFY changed)
    Q_PROPERTY(int divisionCount READ divisionCount WRITE setDivisionCount NOTIFY changed)
    Q_PROPERTY(int subDivisionCount READ subDivisionCount WRITE setSubDivisionCount NOTIFY changed)
    Q_PROPERTY(QColor divisionColor READ divisionColor WRITE setDivisionColor NOTIFY changed)
    Q_PROPERTY(QColor subDivisionColor READ subDivisionColor WRITE setSubDivisionColor NOTIFY changed)
    Q_PROPERTY(int divisionWidth READ divisionWidth WRITE setDivisionWidth NOTIFY changed)
    Q_PROPERTY(int subDivisionWidth READ subDivisionWidth WRITE setSubDivisionWidth NOTIFY changed)
    Q_PROPERTY(QString dialText READ dialText WRITE setDialText NOTIFY changed)
    Q_PROPERTY(NeedleType needleType READ needleType WRITE setNeedleType NOTIFY changed)
    Q_PROPERTY(QString version READ version CONSTANT)
    Q_PROPERTY(TDialGaugeQuickNeedle *needle READ needle CONSTANT)
    Q_PROPERTY(TDialGaugeQuickArc *arc READ arc CONSTANT)
    Q_PROPERTY(TDialGaugeQuickDigit *digit READ digit CONSTANT)
    Q_PROPERTY(TDialGaugeQuickOuterCircle *outerCircle READ outerCircle CONSTANT)
    Q_PROPERTY(TDialGaugeQuickInnerCircle *innerCircle READ innerCircle CONSTANT)
    Q_PROPERTY(TDialGaugeQuickOuterRim *outerRim READ outerRim CONSTANT)
    Q_PROPERTY(TDialGaugeQuickFont *font READ font CONSTANT)
    Q_PROPERTY(TDialGaugeQuickFont *valueFont READ valueFont CONSTANT)
    Q_PROPERTY(QQmlListProperty<TDialGaugeQuickSection> sections READ sections)

public:
    // Fixed to int: QML may hand in any number, and the setter refuses the rest.
    enum NeedleType : int { Pointer = ntPointer, Selector = ntSelector };
    Q_ENUM(NeedleType)

    explicit TDialGaugeQuickItem(QQuickItem *parent = nullptr);
    ~TDialGaugeQuickItem() override;

    double value() const { return m_state->Value(); }
    void setValue(double value);
    double animationTarget() const { return m_state->AnimationTarget(); }
    int minimumValue() const { return m_state->MinimumValue(); }
    void setMinimumValue(int value) { m_state->SetMinimumValue(value); }
    int maximumValue() const { return m_state->MaximumValue(); }
    void setMaximumValue(int value) { m_state->SetMaximumValue(value); }
    bool animation() const { return m_state->Animation(); }
    void setAnimation(bool value) { m_state->SetAnimation(value); }
    int animationFactor() const { return m_state->AnimationFactor(); }
    void setAnimationFactor(int value) { m_state->SetAnimationFactor(value); }
    QString valueFormat() const { return m_state->ValueFormat(); }
    void setValueFormat(const QString &value) { m_state->SetValueFormat(value); }
    int divisionCount() const { return m_state->DivisionCount(); }
    void setDivisionCount(int value) { m_state->SetDivisionCount(value); }
    int subDivisionCount() const { return m_state->SubDivisionCount(); }
    void setSubDivisionCount(int value) { m_state->SetSubDivisionCount(value); }
    QColor divisionColor() const;
    void setDivisionColor(const QColor &value);
    QColor subDivisionColor() const;
    void setSubDivisionColor(const QColor &value);
    int divisionWidth() const { return m_state->DivisionWidth(); }
    void setDivisionWidth(int value) { m_state->SetDivisionWidth(value); }
    int subDivisionWidth() const { return m_state->SubDivisionWidth(); }
    void setSubDivisionWidth(int value) { m_state->SetSubDivisionWidth(value); }
    QString dialText() const { return m_state->DialText(); }
    void setDialText(const QString &value) { m_state->SetDialText(value); }
    NeedleType needleType() const { return NeedleType(m_state->NeedleType()); }
    void setNeedleType(NeedleType value);
    QString version() const { return TDialGaugeState::Version(); }

    TDialGaugeQuickNeedle *needle() { return m_needle.get(); }
    TDialGaugeQuickArc *arc() { return m_arc.get(); }
    TDialGaugeQuickDigit *digit() { return m_digit.get(); }
    TDialGaugeQuickOuterCircle *outerCircle() { return m_outerCircle.get(); }
    TDialGaugeQuickInnerCircle *innerCircle() { return m_innerCircle.get(); }
    TDialGaugeQuickOuterRim *outerRim() { return m_outerRim.get(); }
    TDialGaugeQuickFont *font() { return m_font.get(); }
    TDialGaugeQuickFont *valueFont() { return m_valueFont.get(); }
    QQmlListProperty<TDialGaugeQuickSection> sections();

    // One of the ten colour presets 0..9 (8 changes nothing); others are ignored.
    Q_INVOKABLE void applyStyle(int preset);

    // The state the painters read; for tests and benchmarks.
    const TDialGaugeState &State() const { return *m_state; }

    void paint(QPainter *painter) override;

signals:
    // After every change of the shown value, each step of a glide included.
    void valueChanged();
    // With every repaint the gauge asks for, merged per compound change.
    void changed();
    // A read-out that cannot be drawn, reported once per valueFormat.
    void paintError(const QString &message);

protected:
    // A document's values are applied as a stored form's: at once, without a
    // glide, and the value after the limits, whatever order QML sets them in.
    void classBegin() override;
    void componentComplete() override;
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // THost
    QSize HostSize() const override;
    void RepaintRequested(TDialGaugeState::Repaint kind) override;
    void ValueChanged(double value) override;
    void ValueSettled(double value) override;

    void TabStopChanged();
    void SyncSections();
    void MakeAccessible();

    static void AppendSection(QQmlListProperty<TDialGaugeQuickSection> *list, TDialGaugeQuickSection *section);
    static qsizetype SectionCount(QQmlListProperty<TDialGaugeQuickSection> *list);
    static TDialGaugeQuickSection *SectionAt(QQmlListProperty<TDialGaugeQuickSection> *list, qsizetype index);
    static void ClearSections(QQmlListProperty<TDialGaugeQuickSection> *list);

    std::unique_ptr<TDialGaugeState> m_state;
    std::unique_ptr<TDialGaugePainter> m_painter;
    std::unique_ptr<TDialGaugeQuickNeedle> m_needle;
    std::unique_ptr<TDialGaugeQuickArc> m_arc;
    std::unique_ptr<TDialGaugeQuickDigit> m_digit;
    std::unique_ptr<TDialGaugeQuickOuterCircle> m_outerCircle;
    std::unique_ptr<TDialGaugeQuickInnerCircle> m_innerCircle;
    std::unique_ptr<TDialGaugeQuickOuterRim> m_outerRim;
    std::unique_ptr<TDialGaugeQuickFont> m_font;
    std::unique_ptr<TDialGaugeQuickFont> m_valueFont;
    QList<TDialGaugeQuickSection *> m_sections;
    // The value a document set, applied again once its limits are set too.
    std::optional<double> m_declaredValue;
};
