// SPDX-License-Identifier: MIT
#include "gauge/DialGauge.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include "gauge/DialGaugeAccessible.h"
#include "gauge/DialGaugePainter.h"
#include "gauge/DialGaugePrivate.h"
#include "gauge/DialGaugeProperties.h"
#include "platform/SysErrors.h"
#include "platform/WindowTimer.h"

static_assert(TDialGauge::ScaleTableSize == TDialGaugeState::ScaleTableSize);
static_assert(TDialGauge::AnimationTolerance == TDialGaugeState::AnimationTolerance);
static_assert(TDialGauge::AnimationInterval == TDialGaugeState::AnimationInterval);

TDialGauge::TDialGauge(QWidget *parent, bool designMode) : QWidget(parent)
{
    // The state takes its first geometry from the widget's size.
    resize(200, 200);
    d = std::make_unique<TDialGaugePrivate>(*this, designMode);
    // The parent shows through wherever the gauge paints nothing.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(Qt::NoFocus);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

TDialGauge::~TDialGauge()
{
    // Nothing may reach the painter once the state starts to go.
    d.reset();
}

// --- the widget as the state's host -----------------------------------------------

TDialGaugePrivate::TDialGaugePrivate(TDialGauge &gauge, bool designMode)
    : q(gauge), m_painter(std::make_unique<TDialGaugePainter>(state)), state(*this, &gauge, designMode)
{
    m_painter->SetErrorReport([this](const Exception &error) { RaisePaintError(error.message()); });
    // The window's first appearance waits for the first paint; the kept
    // layers are made just after it (paintEvent).
    m_painter->SetStraightFirstPaint(true);
}

TDialGaugePrivate::~TDialGaugePrivate() = default;

QSize TDialGaugePrivate::HostSize() const
{
    return q.size();
}

void TDialGaugePrivate::RepaintRequested(TDialGaugeState::Repaint kind)
{
    const double value = state.Value();
    if (kind == TDialGaugeState::Repaint::ValueOnly) {
        // What the value changes: the needle where the last request left
        // it and where it is now, and the read-out. Qt merges the regions
        // of requests made before the paint.
        m_requestedRegion = m_painter->ValueChangeRegion(m_requestedValue, value);
        q.update(m_requestedRegion);
    } else {
        // The painter finds out for itself which kept layers the change
        // reaches.
        m_requestedRegion = QRegion();
        q.update();
    }
    m_requestedValue = value;
    emit q.changed();
}

void TDialGaugePrivate::ValueChanged(double value)
{
    if (const TDialGauge::TDialGaugeValueChanged handler = q.OnValueChanged)
        handler(&q, value);
    emit q.valueChanged(value);
}

void TDialGaugePrivate::ValueSettled(double value)
{
    TDialGaugeAccessible::ValueChanged(q, value);
}

void TDialGaugePrivate::RaisePaintError(const QString &message)
{
    // Not inside the paint: a handler that opens a window would paint again
    // from within this paint.
    QMetaObject::invokeMethod(
        &q,
        [this, message] {
            if (const TDialGauge::TDialGaugePaintError handler = q.OnPaintError)
                handler(&q, message);
            emit q.paintError(message);
        },
        Qt::QueuedConnection);
}

void TDialGauge::Invalidate()
{
    d->state.Invalidate();
}

void TDialGauge::Assign(const QObject *source)
{
    if (const auto *other = qobject_cast<const TDialGauge *>(source))
        d->state.Assign(other->d->state);
}

QString TDialGauge::Version() const
{
    return TDialGaugeState::Version();
}

void TDialGauge::SetVersion(const QString &)
{
}

void TDialGauge::SetTabStop(bool value)
{
    if (d->state.TabStop() == value)
        return;
    setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
    d->state.SetTabStop(value);
}

void TDialGauge::BeginLoading()
{
    d->state.BeginLoading();
}

void TDialGauge::EndLoading()
{
    d->state.EndLoading();
}

void TDialGauge::SetDesignMode(bool value)
{
    d->state.SetDesignMode(value);
}

void TDialGauge::ApplyStyle(quint8 preset)
{
    d->state.ApplyStyle(preset);
}

// --- geometry and input: the state's -------------------------------------------------

const TDialGauge::TScaleTable &TDialGauge::ScaleTable() const
{
    return d->state.ScaleTable();
}

double TDialGauge::ValueToAngle(double v) const
{
    return d->state.ValueToAngle(v);
}

double TDialGauge::ValueToAnglePercent(double v) const
{
    return d->state.ValueToAnglePercent(v);
}

double TDialGauge::DegreesToRadians(double degrees)
{
    return TDialGaugeState::DegreesToRadians(degrees);
}

TArrayOfPointF TDialGauge::NeedleOutline(double v) const
{
    return d->state.NeedleOutline(v);
}

QRectF TDialGauge::SectionOuterRect(const TDialGaugeSection &section) const
{
    return d->state.SectionOuterRect(section);
}

QRectF TDialGauge::SectionInnerRect(const TDialGaugeSection &section) const
{
    return d->state.SectionInnerRect(section);
}

void TDialGauge::UpdateDialRect()
{
    d->state.UpdateDialRect();
}

void TDialGauge::UpdateScaleTable()
{
    d->state.UpdateScaleTable();
}

void TDialGauge::UpdateArcGeometry()
{
    d->state.UpdateArcGeometry();
}

void TDialGauge::AnimationStep()
{
    d->state.AnimationStep();
}

bool TDialGauge::StepToward(double &current, double target, double tolerance, double step)
{
    return TDialGaugeState::StepToward(current, target, tolerance, step);
}

void TDialGauge::PointToValue(int x, int y)
{
    d->state.PointToValue(x, y);
}

bool TDialGauge::PointInPolygon(const TArrayOfPointF &points, int x, int y)
{
    return TDialGaugeState::PointInPolygon(points, x, y);
}

// --- size ---------------------------------------------------------------------

QSize TDialGauge::sizeHint() const
{
    return QSize(200, 200);
}

QSize TDialGauge::minimumSizeHint() const
{
    return QSize(100, 100);
}

bool TDialGauge::hasHeightForWidth() const
{
    return true;
}

int TDialGauge::heightForWidth(int width) const
{
    return width;
}

// --- events ------------------------------------------------------------------

bool TDialGauge::event(QEvent *event)
{
    if (event->type() == QEvent::Show) {
        // Its window is still being built: the first picture is painted
        // meanwhile on another core.
        d->m_painter->PrepareFirstPaint(devicePixelRatioF());
    } else if (event->type() == QEvent::DynamicPropertyChange) {
        const QByteArray name = static_cast<QDynamicPropertyChangeEvent *>(event)->propertyName();
        if (TDialGaugeProperties::TakeDynamicProperty(*this, name))
            return true;
    }
    return QWidget::event(event);
}

void TDialGauge::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    d->m_painter->paint(painter, event->region());
    if (d->m_painter->TakeWarmUpWish()) {
        QTimer::singleShot(0, this, [this] { d->m_painter->WarmUp(); });
    }
}

void TDialGauge::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->state.Resized();
}

void TDialGauge::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange:
    case QEvent::FontChange:
    case QEvent::StyleChange:
        // System colours and fonts resolve at paint time: cached layers go.
        d->state.Invalidate();
        break;
    default:
        break;
    }
}

void TDialGauge::keyPressEvent(QKeyEvent *event)
{
    if (!d->state.TabStop() || !isEnabled() || !d->state.KeyPressed(event->key())) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TDialGauge::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (!d->state.TabStop() || !isEnabled())
        return;
    const QPoint at = event->position().toPoint();
    d->state.PointToValue(at.x(), at.y());
    event->accept();
}

void TDialGauge::focusInEvent(QFocusEvent *)
{
    d->state.SetFocus(true);
}

void TDialGauge::focusOutEvent(QFocusEvent *)
{
    d->state.SetFocus(false);
}

// --- properties: the state applies every rule ----------------------------------

void TDialGauge::SetAnimationFactor(int value)
{
    d->state.SetAnimationFactor(value);
}

void TDialGauge::SetMinimumValue(int value)
{
    d->state.SetMinimumValue(value);
}

void TDialGauge::SetMaximumValue(int value)
{
    d->state.SetMaximumValue(value);
}

void TDialGauge::SetValue(double value)
{
    d->state.SetValue(value);
}

void TDialGauge::SetDigit(const TDialGaugeDigit *value)
{
    d->state.SetDigit(value);
}

void TDialGauge::SetOuterCircle(const TDialGaugeOuterCircle *value)
{
    d->state.SetOuterCircle(value);
}

void TDialGauge::SetInnerCircle(const TDialGaugeInnerCircle *value)
{
    d->state.SetInnerCircle(value);
}

void TDialGauge::SetOuterRim(const TDialGaugeOuterRim *value)
{
    d->state.SetOuterRim(value);
}

void TDialGauge::SetNeedle(const TDialGaugeNeedle *value)
{
    d->state.SetNeedle(value);
}

void TDialGauge::SetArc(const TDialGaugeArc *value)
{
    d->state.SetArc(value);
}

void TDialGauge::SetDivisionCount(int value)
{
    d->state.SetDivisionCount(value);
}

void TDialGauge::SetSubDivisionCount(int value)
{
    d->state.SetSubDivisionCount(value);
}

void TDialGauge::SetDivisionColor(TColor value)
{
    d->state.SetDivisionColor(value);
}

void TDialGauge::SetSubDivisionColor(TColor value)
{
    d->state.SetSubDivisionColor(value);
}

void TDialGauge::SetDivisionWidth(int value)
{
    d->state.SetDivisionWidth(value);
}

void TDialGauge::SetSubDivisionWidth(int value)
{
    d->state.SetSubDivisionWidth(value);
}

void TDialGauge::SetDialText(const QString &value)
{
    d->state.SetDialText(value);
}

void TDialGauge::SetFont(const TDialGaugeFont *value)
{
    d->state.SetFont(value);
}

void TDialGauge::SetValueFont(const TDialGaugeFont *value)
{
    d->state.SetValueFont(value);
}

void TDialGauge::SetValueFormat(const QString &value)
{
    d->state.SetValueFormat(value);
}

void TDialGauge::SetAnimation(bool value)
{
    d->state.SetAnimation(value);
}

void TDialGauge::SetNeedleType(TDialGaugeNeedleType value)
{
    d->state.SetNeedleType(value);
}

void TDialGauge::SetSections(const TDialGaugeSections *value)
{
    d->state.SetSections(value);
}

// --- getters -------------------------------------------------------------------

int TDialGauge::AnimationFactor() const
{
    return d->state.AnimationFactor();
}

int TDialGauge::MinimumValue() const
{
    return d->state.MinimumValue();
}

int TDialGauge::MaximumValue() const
{
    return d->state.MaximumValue();
}

double TDialGauge::Value() const
{
    return d->state.Value();
}

TDialGaugeDigit *TDialGauge::Digit() const
{
    return d->state.Digit();
}

TDialGaugeOuterCircle *TDialGauge::OuterCircle() const
{
    return d->state.OuterCircle();
}

TDialGaugeInnerCircle *TDialGauge::InnerCircle() const
{
    return d->state.InnerCircle();
}

TDialGaugeOuterRim *TDialGauge::OuterRim() const
{
    return d->state.OuterRim();
}

TDialGaugeNeedle *TDialGauge::Needle() const
{
    return d->state.Needle();
}

TDialGaugeArc *TDialGauge::Arc() const
{
    return d->state.Arc();
}

int TDialGauge::DivisionCount() const
{
    return d->state.DivisionCount();
}

int TDialGauge::SubDivisionCount() const
{
    return d->state.SubDivisionCount();
}

TColor TDialGauge::DivisionColor() const
{
    return d->state.DivisionColor();
}

TColor TDialGauge::SubDivisionColor() const
{
    return d->state.SubDivisionColor();
}

int TDialGauge::DivisionWidth() const
{
    return d->state.DivisionWidth();
}

int TDialGauge::SubDivisionWidth() const
{
    return d->state.SubDivisionWidth();
}

QString TDialGauge::DialText() const
{
    return d->state.DialText();
}

TDialGaugeFont *TDialGauge::Font() const
{
    return d->state.Font();
}

TDialGaugeFont *TDialGauge::ValueFont() const
{
    return d->state.ValueFont();
}

QString TDialGauge::ValueFormat() const
{
    return d->state.ValueFormat();
}

bool TDialGauge::Animation() const
{
    return d->state.Animation();
}

TDialGaugeNeedleType TDialGauge::NeedleType() const
{
    return d->state.NeedleType();
}

TDialGaugeSections *TDialGauge::Sections() const
{
    return d->state.Sections();
}

bool TDialGauge::TabStop() const
{
    return d->state.TabStop();
}

double TDialGauge::AnimationTarget() const
{
    return d->state.AnimationTarget();
}

bool TDialGauge::HasFocus() const
{
    return d->state.HasFocus();
}

bool TDialGauge::IsLoading() const
{
    return d->state.IsLoading();
}

bool TDialGauge::IsDesignMode() const
{
    return d->state.IsDesignMode();
}

int TDialGauge::DialLeft() const
{
    return d->state.DialLeft();
}

int TDialGauge::DialTop() const
{
    return d->state.DialTop();
}

int TDialGauge::DialWidth() const
{
    return d->state.DialWidth();
}

int TDialGauge::DialHeight() const
{
    return d->state.DialHeight();
}

QRectF TDialGauge::DialRect() const
{
    return d->state.DialRect();
}

QPointF TDialGauge::DialCenter() const
{
    return d->state.DialCenter();
}

int TDialGauge::ArcInset() const
{
    return d->state.ArcInset();
}

QRectF TDialGauge::ArcRect() const
{
    return d->state.ArcRect();
}

double TDialGauge::ThresholdBandStart() const
{
    return d->state.ThresholdBandStart();
}

double TDialGauge::ThresholdBandSweep() const
{
    return d->state.ThresholdBandSweep();
}

QPointF TDialGauge::ScaleCenter() const
{
    return d->state.ScaleCenter();
}

int TDialGauge::ScaleInset() const
{
    return d->state.ScaleInset();
}

double TDialGauge::ScaleRadius() const
{
    return d->state.ScaleRadius();
}

double TDialGauge::MarkStep() const
{
    return d->state.MarkStep();
}

int TDialGauge::ScaleMarkCount() const
{
    return d->state.ScaleMarkCount();
}

double TDialGauge::NeedleLength() const
{
    return d->state.NeedleLength();
}

double TDialGauge::NeedleSideRadius() const
{
    return d->state.NeedleSideRadius();
}

quint64 TDialGauge::RepaintRequestCount() const
{
    return d->state.RepaintRequestCount();
}
