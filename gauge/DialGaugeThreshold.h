#pragma once

#include <DialGauge/DialGaugePersistent.h>
#include <DialGauge/Colors.h>

// Range of the coloured arc and the threshold band around Center. Its
// OnChange is set by the arc that owns it.
class DIALGAUGE_EXPORT TDialGaugeThreshold : public TDialGaugePersistent
{
    Q_OBJECT
    // Band colour. Default 0x00FC7C.
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    // Default 200.
    Q_PROPERTY(int Opacity READ Opacity WRITE SetOpacity)
    // Value at the band's middle; accepted only within the gauge's
    // MinimumValue..MaximumValue (NaN refused). Default 25.0.
    Q_PROPERTY(double Center READ Center WRITE SetCenter)
    // Band width in percent of SweepAngle, accepted 0..100. Default 25.
    Q_PROPERTY(int Span READ Span WRITE SetSpan)
    // Arc range in degrees when ThresholdKind is tkAngle. Defaults 135 and 270.
    Q_PROPERTY(int StartAngle READ StartAngle WRITE SetStartAngle)
    Q_PROPERTY(int SweepAngle READ SweepAngle WRITE SetSweepAngle)
    // Arc range as values when ThresholdKind is tkValue; NaN and infinities
    // are refused. Default 0.0 and 0.0 (0.0 and 100.0 for a gauge in design mode).
    Q_PROPERTY(double StartValue READ StartValue WRITE SetStartValue)
    Q_PROPERTY(double EndValue READ EndValue WRITE SetEndValue)
    // Default tkAngle.
    Q_PROPERTY(DialGaugeTypes::TDialGaugeThresholdKind ThresholdKind READ ThresholdKind WRITE SetThresholdKind)

public:
    explicit TDialGaugeThreshold(TDialGauge *owner);

    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    int Opacity() const { return m_opacity; }
    void SetOpacity(int value);
    double Center() const { return m_center; }
    void SetCenter(double value);
    int Span() const { return m_span; }
    void SetSpan(int value);
    int StartAngle() const { return m_startAngle; }
    void SetStartAngle(int value);
    int SweepAngle() const { return m_sweepAngle; }
    void SetSweepAngle(int value);
    double StartValue() const { return m_startValue; }
    void SetStartValue(double value);
    double EndValue() const { return m_endValue; }
    void SetEndValue(double value);
    TDialGaugeThresholdKind ThresholdKind() const { return m_thresholdKind; }
    void SetThresholdKind(TDialGaugeThresholdKind value);

    // Copies every field as stored (no range checks), brings the gauge's band
    // up to date and raises OnChange once.
    void Assign(const QObject *source) override;

private:
    friend class TDialGauge; // the limit setters pull Center along silently

    void GeometryChanged();

    TColor m_color = 0x00FC7C;
    int m_opacity = 200;
    int m_startAngle = 135;
    int m_sweepAngle = 270;
    double m_center = 25.0;
    int m_span = 25;
    double m_startValue = 0.0;
    double m_endValue = 0.0;
    TDialGaugeThresholdKind m_thresholdKind = tkAngle;
};
