// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include <DialGauge/DialGaugePersistent.h>
#include <DialGauge/Colors.h>

class TDialGaugeThresholdPrivate;
class TDialGaugeState;

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
    ~TDialGaugeThreshold() override;

    TColor Color() const;
    void SetColor(TColor value);
    int Opacity() const;
    void SetOpacity(int value);
    double Center() const;
    void SetCenter(double value);
    int Span() const;
    void SetSpan(int value);
    int StartAngle() const;
    void SetStartAngle(int value);
    int SweepAngle() const;
    void SetSweepAngle(int value);
    double StartValue() const;
    void SetStartValue(double value);
    double EndValue() const;
    void SetEndValue(double value);
    TDialGaugeThresholdKind ThresholdKind() const;
    void SetThresholdKind(TDialGaugeThresholdKind value);

    // Copies every field as stored (no range checks), brings the gauge's band
    // up to date and raises OnChange once.
    void Assign(const QObject *source) override;

private:
    friend class TDialGaugeArc;
    friend class TDialGaugeState;
    // The threshold of a gauge's state, whose limits bound Center.
    Q_DECL_HIDDEN TDialGaugeThreshold(TDialGauge *owner, TDialGaugeState *state);
    // The limit setters pull Center into a narrowed range: stored as it is,
    // nothing raised.
    Q_DECL_HIDDEN void PullCenter(double value);
    Q_DECL_HIDDEN void GeometryChanged();

    std::unique_ptr<TDialGaugeThresholdPrivate> d;
};
