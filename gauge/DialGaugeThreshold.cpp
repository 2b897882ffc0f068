#include "gauge/DialGaugeThreshold.h"

#include <cmath>

#include "gauge/DialGauge.h"

TDialGaugeThreshold::TDialGaugeThreshold(TDialGauge *owner) : TDialGaugePersistent(owner)
{
    // A designer's new gauge shows a coloured arc over the whole default scale.
    if (owner && owner->IsDesignMode()) {
        m_startValue = 0.0;
        m_endValue = 100.0;
    }
}

void TDialGaugeThreshold::GeometryChanged()
{
    if (TDialGauge *gauge = Owner())
        gauge->UpdateArcGeometry();
    Changed();
}

void TDialGaugeThreshold::SetColor(TColor value)
{
    if (Store(m_color, value))
        Changed();
}

void TDialGaugeThreshold::SetOpacity(int value)
{
    if (Store(m_opacity, value))
        Changed();
}

void TDialGaugeThreshold::SetCenter(double value)
{
    if (std::isnan(value))
        return;
    if (const TDialGauge *gauge = Owner()) {
        if (value < gauge->MinimumValue() || value > gauge->MaximumValue())
            return;
    } else if (!std::isfinite(value)) {
        return;
    }
    // No equality test: setting the same centre recomputes the band again.
    m_center = value;
    GeometryChanged();
}

void TDialGaugeThreshold::SetSpan(int value)
{
    if (value < 0 || value > 100)
        return;
    m_span = value;
    GeometryChanged();
}

void TDialGaugeThreshold::SetStartAngle(int value)
{
    if (Store(m_startAngle, value))
        GeometryChanged();
}

void TDialGaugeThreshold::SetSweepAngle(int value)
{
    if (Store(m_sweepAngle, value))
        GeometryChanged();
}

void TDialGaugeThreshold::SetStartValue(double value)
{
    if (!std::isfinite(value))
        return;
    if (Store(m_startValue, value))
        GeometryChanged();
}

void TDialGaugeThreshold::SetEndValue(double value)
{
    if (!std::isfinite(value))
        return;
    if (Store(m_endValue, value))
        GeometryChanged();
}

void TDialGaugeThreshold::SetThresholdKind(TDialGaugeThresholdKind value)
{
    if (Store(m_thresholdKind, value))
        GeometryChanged();
}

void TDialGaugeThreshold::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeThreshold *>(source);
    if (!other)
        return;
    m_color = other->m_color;
    m_opacity = other->m_opacity;
    m_startAngle = other->m_startAngle;
    m_sweepAngle = other->m_sweepAngle;
    m_center = other->m_center;
    m_span = other->m_span;
    m_startValue = other->m_startValue;
    m_endValue = other->m_endValue;
    m_thresholdKind = other->m_thresholdKind;
    // The band follows the copied centre and span at once, not at the next resize.
    GeometryChanged();
}
