// SPDX-License-Identifier: MIT
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <array>
#include <memory>

#include <DialGauge/Colors.h>
#include <DialGauge/DialGaugeExport.h>
#include <DialGauge/DialGaugeTypes.h>

class TDialGauge;
class TDialGaugeArc;
class TDialGaugeDigit;
class TDialGaugeFont;
class TDialGaugeInnerCircle;
class TDialGaugeNeedle;
class TDialGaugeOuterCircle;
class TDialGaugeOuterRim;
class TDialGaugeSection;
class TDialGaugeSections;
class TWindowTimer;

// Everything a gauge is apart from the thing that shows it: the properties
// and appearance objects, the value with its animation and input rules, the
// derived geometry, and the one change path. A host (the TDialGauge widget,
// the Qt Quick item of the QML module) owns one, gives it its size, feeds it
// focus, keys and clicks, and hears from it through THost; the painters read
// only this.
//
// Angles are degrees with 0 pointing right (3 o'clock), growing clockwise on
// the screen (y grows downward); radians appear only inside trigonometry.
// Positions are the host's logical pixels.
//
// Exported for the QML module built with this library; the header is not
// installed and makes no promise beyond one release.
class DIALGAUGE_EXPORT TDialGaugeState
{
public:
    // What a change leaves to repaint: everything, or what follows the value.
    enum class Repaint { Face, ValueOnly };

    static constexpr int ScaleTableSize = 1001;
    using TScaleTable = std::array<ScaleMark, ScaleTableSize>;
    // Snap tolerance of the animation, also its smallest step.
    static constexpr double AnimationTolerance = 0.001;
    // Interval asked of the timer; the platform floor makes it 10 ms.
    static constexpr int AnimationInterval = 1;

    // What the state needs of the thing that shows it.
    class DIALGAUGE_EXPORT THost
    {
    public:
        virtual ~THost();
        // The host's size in logical pixels, as it is now.
        virtual QSize HostSize() const = 0;
        // One repaint request (merged per compound change); the host asks
        // for a paint and announces the change.
        virtual void RepaintRequested(Repaint kind) = 0;
        // The shown value changed (see RaiseValueChanged for when).
        virtual void ValueChanged(double value) = 0;
        // The value came to rest at value: for assistive technology, which
        // hears of a glide once, where it ends.
        virtual void ValueSettled(double value) = 0;
    };

    // Merges the repaint requests of a compound change (a copy, a preset)
    // into one, made when the outermost batch ends.
    class DIALGAUGE_EXPORT TBatch
    {
    public:
        explicit TBatch(TDialGaugeState &state);
        ~TBatch();
        TBatch(const TBatch &) = delete;
        TBatch &operator=(const TBatch &) = delete;

    private:
        TDialGaugeState &m_state;
    };

    // widget: the TDialGauge this state belongs to, which its appearance
    // objects name as their Owner(); null for any other host.
    // designMode: placed by a form designer: style preset 4, the threshold
    // range 0..100, and the value never animates.
    TDialGaugeState(THost &host, TDialGauge *widget, bool designMode);
    ~TDialGaugeState();
    TDialGaugeState(const TDialGaugeState &) = delete;
    TDialGaugeState &operator=(const TDialGaugeState &) = delete;

    // The state of a gauge widget; null for null.
    static TDialGaugeState *Of(TDialGauge *gauge);
    static const TDialGaugeState *Of(const TDialGauge *gauge);
    TDialGauge *Widget() const { return m_widget; }

    // Copies another gauge's appearance, value and target (see TDialGauge::Assign).
    void Assign(const TDialGaugeState &other);
    // Makes this state show exactly what other shows: Assign, and what
    // Assign leaves alone (ValueFormat, TabStop, focus) and the geometry as
    // other worked it out. For painting a still copy of a gauge elsewhere;
    // this state's host must give other's size, and other must be at rest.
    void CopyPicture(const TDialGaugeState &other);

    // --- properties (rules as TDialGauge's) -----------------------------------
    int AnimationFactor() const { return m_animationFactor; }
    void SetAnimationFactor(int value);
    int MinimumValue() const { return m_minimumValue; }
    void SetMinimumValue(int value);
    int MaximumValue() const { return m_maximumValue; }
    void SetMaximumValue(int value);
    double Value() const { return m_value; }
    void SetValue(double value);
    TDialGaugeDigit *Digit() const { return m_digit.get(); }
    void SetDigit(const TDialGaugeDigit *value);
    TDialGaugeOuterCircle *OuterCircle() const { return m_outerCircle.get(); }
    void SetOuterCircle(const TDialGaugeOuterCircle *value);
    TDialGaugeInnerCircle *InnerCircle() const { return m_innerCircle.get(); }
    void SetInnerCircle(const TDialGaugeInnerCircle *value);
    TDialGaugeOuterRim *OuterRim() const { return m_outerRim.get(); }
    void SetOuterRim(const TDialGaugeOuterRim *value);
    TDialGaugeNeedle *Needle() const { return m_needle.get(); }
    void SetNeedle(const TDialGaugeNeedle *value);
    TDialGaugeArc *Arc() const { return m_arc.get(); }
    void SetArc(const TDialGaugeArc *value);
    int DivisionCount() const { return m_divisionCount; }
    void SetDivisionCount(int value);
    int SubDivisionCount() const { return m_subDivisionCount; }
    void SetSubDivisionCount(int value);
    TColor DivisionColor() const { return m_divisionColor; }
    void SetDivisionColor(TColor value);
    TColor SubDivisionColor() const { return m_subDivisionColor; }
    void SetSubDivisionColor(TColor value);
    int DivisionWidth() const { return m_divisionWidth; }
    void SetDivisionWidth(int value);
    int SubDivisionWidth() const { return m_subDivisionWidth; }
    void SetSubDivisionWidth(int value);
    QString DialText() const { return m_dialText; }
    void SetDialText(const QString &value);
    TDialGaugeFont *Font() const { return m_font.get(); }
    void SetFont(const TDialGaugeFont *value);
    TDialGaugeFont *ValueFont() const { return m_valueFont.get(); }
    void SetValueFont(const TDialGaugeFont *value);
    QString ValueFormat() const { return m_valueFormat; }
    void SetValueFormat(const QString &value);
    bool Animation() const { return m_animation; }
    void SetAnimation(bool value);
    // "1.3.0.0".
    static QString Version();
    TDialGaugeNeedleType NeedleType() const { return m_needleType; }
    void SetNeedleType(TDialGaugeNeedleType value);
    TDialGaugeSections *Sections() const { return m_sections.get(); }
    void SetSections(const TDialGaugeSections *value);
    // Whether the user may change the value with keys and clicks; the host
    // decides what that means for its focus. Repaints (the focus circle).
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool value);

    // --- state -------------------------------------------------------------------
    double AnimationTarget() const { return m_animationTarget; }
    // Set by the host when it gains or loses the keyboard focus; repaints.
    bool HasFocus() const { return m_hasFocus; }
    void SetFocus(bool value);
    void BeginLoading();
    void EndLoading();
    bool IsLoading() const { return m_loadingDepth > 0; }
    void SetDesignMode(bool value);
    bool IsDesignMode() const { return m_designMode; }
    void ApplyStyle(quint8 preset);
    // Repaint requests made so far; for diagnostics.
    quint64 RepaintRequestCount() const { return m_repaintRequests; }
    const TWindowTimer &Timer() const { return *m_timer; }

    // --- change path --------------------------------------------------------------
    // The one place that requests repaints; inside a batch, requests merge.
    void Changed(Repaint kind);
    // A repaint of everything; appearance objects reach it through OnChange.
    void Invalidate() { Changed(Repaint::Face); }
    TNotifyEvent RepaintHandler();

    // --- size and geometry ----------------------------------------------------------
    int Width() const { return m_host.HostSize().width(); }
    int Height() const { return m_host.HostSize().height(); }
    // The host's size changed: margins from the size, every update, a repaint.
    void Resized();

    int DialLeft() const { return m_dialLeft; }
    int DialTop() const { return m_dialTop; }
    int DialWidth() const { return m_dialWidth; }
    int DialHeight() const { return m_dialHeight; }
    QRectF DialRect() const { return m_dialRect; }
    QPointF DialCenter() const;
    int ArcInset() const;
    QRectF ArcRect() const { return m_arcRect; }
    double ThresholdBandStart() const { return m_thresholdBandStart; }
    double ThresholdBandSweep() const { return m_thresholdBandSweep; }
    const TScaleTable &ScaleTable() const { return *m_scaleTable; }
    QPointF ScaleCenter() const;
    int ScaleInset() const;
    double ScaleRadius() const;
    double MarkStep() const;
    int ScaleMarkCount() const;

    double ValueToAngle(double v) const;
    double ValueToAnglePercent(double v) const;
    static double DegreesToRadians(double degrees);
    double NeedleLength() const;
    double NeedleSideRadius() const;
    TArrayOfPointF NeedleOutline(double v) const;
    QRectF SectionOuterRect(const TDialGaugeSection &section) const;
    QRectF SectionInnerRect(const TDialGaugeSection &section) const;

    void UpdateDialRect();
    void UpdateScaleTable();
    void UpdateArcGeometry();

    // --- value and input ---------------------------------------------------------
    void AnimationStep();
    static bool StepToward(double &current, double target, double tolerance, double step);
    void PointToValue(int x, int y);
    static bool PointInPolygon(const TArrayOfPointF &points, int x, int y);
    // A key of a gauge that takes keys (the host checks TabStop and its own
    // enabled state): Page Up/Down, Home, End and the arrows set a value
    // through SetValue. False for any other key.
    bool KeyPressed(int key);

private:
    // The setters' common form: an equal value changes nothing; another one
    // is stored (or copied into the owned object) and redraws the face.
    template <typename T>
    void StoreFace(T &field, const T &value)
    {
        if (field == value)
            return;
        field = value;
        Changed(Repaint::Face);
    }
    template <typename T>
    void AssignFace(const std::unique_ptr<T> &owned, const T *value)
    {
        if (!value || value == owned.get())
            return;
        TBatch batch(*this);
        owned->Assign(value);
        Changed(Repaint::Face);
    }

    void RaiseValueChanged();
    // Starts the animation timer when the value has a target to move to and
    // may move, stops it otherwise; a running timer keeps its rhythm.
    void SyncTimer();

    THost &m_host;
    TDialGauge *m_widget;

    bool m_hasFocus = false;
    double m_thresholdBandStart = 0.0;
    double m_thresholdBandSweep = 0.0;
    QRectF m_arcRect;
    std::unique_ptr<TScaleTable> m_scaleTable;
    std::unique_ptr<TWindowTimer> m_timer;
    int m_minimumValue = 0;
    int m_maximumValue = 100;
    double m_value = 0.0;
    double m_animationTarget = 0.0;
    QString m_valueFormat;
    int m_divisionCount = 10;
    int m_subDivisionCount = 3;
    QString m_dialText;
    int m_dialLeft = 5;
    int m_dialTop = 5;
    int m_dialWidth = 0;
    int m_dialHeight = 0;
    QRectF m_dialRect;
    std::unique_ptr<TDialGaugeFont> m_font;
    std::unique_ptr<TDialGaugeFont> m_valueFont;
    std::unique_ptr<TDialGaugeDigit> m_digit;
    std::unique_ptr<TDialGaugeOuterCircle> m_outerCircle;
    std::unique_ptr<TDialGaugeInnerCircle> m_innerCircle;
    std::unique_ptr<TDialGaugeOuterRim> m_outerRim;
    std::unique_ptr<TDialGaugeNeedle> m_needle;
    std::unique_ptr<TDialGaugeArc> m_arc;
    int m_subDivisionWidth = 2;
    int m_divisionWidth = 5;
    TColor m_subDivisionColor = 0x00FC7C;
    TColor m_divisionColor = 0x00FC7C;
    bool m_animation = true;
    int m_animationFactor = 5;
    TDialGaugeNeedleType m_needleType = ntPointer;
    std::unique_ptr<TDialGaugeSections> m_sections;

    bool m_tabStop = false;
    bool m_designMode = false;
    int m_loadingDepth = 0;
    bool m_destroying = false;
    int m_batchDepth = 0;
    bool m_batchRepaint = false;
    bool m_batchFace = false;
    quint64 m_repaintRequests = 0;
};
