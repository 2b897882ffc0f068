#include "gauge/DialGaugeArc.h"

#include <cmath>

#include "gauge/DialGauge.h"
#include "gauge/DialGaugeThreshold.h"

TDialGaugeArc::TDialGaugeArc(TDialGauge *owner)
    : TDialGaugePersistent(owner), m_threshold(std::make_unique<TDialGaugeThreshold>(owner))
{
    m_threshold->OnChange = [this](QObject *) { Changed(); };
}

TDialGaugeArc::~TDialGaugeArc() = default;

void TDialGaugeArc::SetColor(TColor value)
{
    if (Store(m_color, value))
        Changed();
}

void TDialGaugeArc::SetWidth(double value)
{
    // Round(Width x NaN) has no integer result.
    if (!std::isfinite(value))
        return;
    if (!Store(m_width, value))
        return;
    if (TDialGauge *gauge = Owner())
        gauge->UpdateArcGeometry();
    Changed();
}

void TDialGaugeArc::SetOpacity(int value)
{
    if (Store(m_opacity, value))
        Changed();
}

void TDialGaugeArc::SetStartAngle(int value)
{
    if (!Store(m_startAngle, value))
        return;
    if (TDialGauge *gauge = Owner()) {
        gauge->UpdateArcGeometry();
        gauge->UpdateScaleTable();
    }
    Changed();
}

void TDialGaugeArc::SetStopAngle(int value)
{
    if (!Store(m_stopAngle, value))
        return;
    if (TDialGauge *gauge = Owner()) {
        gauge->UpdateArcGeometry();
        gauge->UpdateScaleTable();
    }
    Changed();
}

void TDialGaugeArc::SetThreshold(const TDialGaugeThreshold *value)
{
    if (!value || value == m_threshold.get())
        return;
    AssignQuietly(*m_threshold, value);
    Changed();
}

void TDialGaugeArc::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeArc *>(source);
    if (!other)
        return;
    m_color = other->m_color;
    m_width = other->m_width;
    m_opacity = other->m_opacity;
    m_startAngle = other->m_startAngle;
    m_stopAngle = other->m_stopAngle;
    AssignQuietly(*m_threshold, other->m_threshold.get());
    // Copied angles and width must not leave a stale scale or band behind.
    if (TDialGauge *gauge = Owner()) {
        gauge->UpdateArcGeometry();
        gauge->UpdateScaleTable();
    }
    Changed();
}
