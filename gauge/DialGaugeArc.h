// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include <DialGauge/DialGaugePersistent.h>
#include <DialGauge/Colors.h>

class TDialGaugeArcPrivate;
class TDialGaugeState;
class TDialGaugeThreshold;

// The scale's sweep (StartAngle to StopAngle), the coloured arc and, through
// its threshold, the threshold band.
class DIALGAUGE_EXPORT TDialGaugeArc : public TDialGaugePersistent
{
    Q_OBJECT
    // Coloured arc. Default 0x8B0000.
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    // Inset of the arc's rectangle as a fraction of the control's width; NaN
    // and infinities are refused. Default 0.03.
    Q_PROPERTY(double Width READ Width WRITE SetWidth)
    // Default 200.
    Q_PROPERTY(int Opacity READ Opacity WRITE SetOpacity)
    // Angles of MinimumValue and MaximumValue in degrees (0 right, clockwise).
    // Defaults 135 and 405.
    Q_PROPERTY(int StartAngle READ StartAngle WRITE SetStartAngle)
    Q_PROPERTY(int StopAngle READ StopAngle WRITE SetStopAngle)
    // Assigning copies the contents; the object stays the same.
    Q_PROPERTY(TDialGaugeThreshold *Threshold READ Threshold WRITE SetThreshold)

public:
    explicit TDialGaugeArc(TDialGauge *owner);
    ~TDialGaugeArc() override;

    TColor Color() const;
    void SetColor(TColor value);
    double Width() const;
    void SetWidth(double value);
    int Opacity() const;
    void SetOpacity(int value);
    int StartAngle() const;
    void SetStartAngle(int value);
    int StopAngle() const;
    void SetStopAngle(int value);
    TDialGaugeThreshold *Threshold() const;
    void SetThreshold(const TDialGaugeThreshold *value);

    // Copies the fields and the threshold, brings the gauge's geometry up to
    // date and raises OnChange once.
    void Assign(const QObject *source) override;

private:
    friend class TDialGaugeState;
    // An arc of a gauge's state, which its setters keep up to date.
    Q_DECL_HIDDEN TDialGaugeArc(TDialGauge *owner, TDialGaugeState *state);

    std::unique_ptr<TDialGaugeArcPrivate> d;
};
