#pragma once

#include <QRectF>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

#include <DialGauge/Colors.h>
#include <DialGauge/DialGaugeArc.h>
#include <DialGauge/DialGaugeDigit.h>
#include <DialGauge/DialGaugeExport.h>
#include <DialGauge/DialGaugeFont.h>
#include <DialGauge/DialGaugeGloss.h>
#include <DialGauge/DialGaugeInnerCircle.h>
#include <DialGauge/DialGaugeNeedle.h>
#include <DialGauge/DialGaugeOuterCircle.h>
#include <DialGauge/DialGaugeOuterRim.h>
#include <DialGauge/DialGaugeSection.h>
#include <DialGauge/DialGaugeSections.h>
#include <DialGauge/DialGaugeThreshold.h>
#include <DialGauge/DialGaugeTypes.h>
#include <DialGauge/StyleInterface.h>

class TDialGaugePainter;
class TWindowTimer;

// A circular, animated gauge showing one number: scale with divisions and
// labels, coloured arc, threshold band, optional value bands (sections), a
// needle, a seven-segment read-out and a free dial text.
//
// Angles are degrees with 0 pointing right (3 o'clock), growing clockwise on
// the screen (y grows downward); radians appear only inside trigonometry.
// Positions are client pixels.
//
// Every change of a property reaches one repaint request. Values outside a
// property's accepted range are refused silently (nothing changes, nothing is
// raised). Assigning an object-valued property copies its contents.
class DIALGAUGE_EXPORT TDialGauge : public QWidget, public IStyleInterface
{
    Q_OBJECT
    Q_INTERFACES(IStyleInterface)

    // Divisor of the remaining distance per animation step; 0 acts as 1, a
    // negative factor moves by the smallest step (0.001). Default 5.
    Q_PROPERTY(int AnimationFactor READ AnimationFactor WRITE SetAnimationFactor)
    // Scale limits; each setter refuses a value that would reach the other
    // limit. Defaults 0 and 100.
    Q_PROPERTY(int MinimumValue READ MinimumValue WRITE SetMinimumValue)
    Q_PROPERTY(int MaximumValue READ MaximumValue WRITE SetMaximumValue)
    // The value shown now (an intermediate one while the needle glides).
    // Values outside MinimumValue..MaximumValue and NaN are refused. Default 0.0.
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(TDialGaugeDigit *Digit READ Digit WRITE SetDigit)
    Q_PROPERTY(TDialGaugeOuterCircle *OuterCircle READ OuterCircle WRITE SetOuterCircle)
    Q_PROPERTY(TDialGaugeInnerCircle *InnerCircle READ InnerCircle WRITE SetInnerCircle)
    Q_PROPERTY(TDialGaugeOuterRim *OuterRim READ OuterRim WRITE SetOuterRim)
    Q_PROPERTY(TDialGaugeNeedle *Needle READ Needle WRITE SetNeedle)
    Q_PROPERTY(TDialGaugeArc *Arc READ Arc WRITE SetArc)
    // Major divisions, accepted 2..24. Default 10.
    Q_PROPERTY(int DivisionCount READ DivisionCount WRITE SetDivisionCount)
    // Minor ticks between two major ones, accepted 1..10. Default 3.
    Q_PROPERTY(int SubDivisionCount READ SubDivisionCount WRITE SetSubDivisionCount)
    // Tick colours (clNone hides the ticks, labels stay). Default 0x00FC7C.
    Q_PROPERTY(TColor DivisionColor READ DivisionColor WRITE SetDivisionColor)
    Q_PROPERTY(TColor SubDivisionColor READ SubDivisionColor WRITE SetSubDivisionColor)
    // Tick pen widths in pixels. Defaults 5 and 2.
    Q_PROPERTY(int DivisionWidth READ DivisionWidth WRITE SetDivisionWidth)
    Q_PROPERTY(int SubDivisionWidth READ SubDivisionWidth WRITE SetSubDivisionWidth)
    // Free text drawn on the dial in Font. Default empty.
    Q_PROPERTY(QString DialText READ DialText WRITE SetDialText)
    // Dial text font ("Tahoma", 14 pt, 0x00FC7C) and scale label font
    // ("Tahoma", 11 pt, 0x00FC7C).
    Q_PROPERTY(TDialGaugeFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(TDialGaugeFont *ValueFont READ ValueFont WRITE SetValueFont)
    // Number picture of the read-out. Default "000.00".
    Q_PROPERTY(QString ValueFormat READ ValueFormat WRITE SetValueFormat)
    // Whether accepted values are reached gradually. Default true.
    Q_PROPERTY(bool Animation READ Animation WRITE SetAnimation)
    // Always "1.3.0.0"; writing is accepted and ignored.
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    // Stored and repainted; both types draw the same needle. Default ntPointer.
    Q_PROPERTY(DialGaugeTypes::TDialGaugeNeedleType NeedleType READ NeedleType WRITE SetNeedleType)
    Q_PROPERTY(TDialGaugeSections *Sections READ Sections WRITE SetSections)
    // Whether the user may change the value with keys and clicks; maps to the
    // focus policy (StrongFocus or NoFocus). Default false.
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(bool Visible READ isVisible WRITE setVisible)

public:
    // Callback raised when the shown value changes.
    using TDialGaugeValueChanged = std::function<void(QObject *sender, double value)>;
    // Callback raised when painting met an error (a read-out picture that
    // cannot be formatted); message is the error's text.
    using TDialGaugePaintError = std::function<void(QObject *sender, const QString &message)>;

    static constexpr int ScaleTableSize = 1001;
    using TScaleTable = std::array<ScaleMark, ScaleTableSize>;
    // Snap tolerance of the animation, also its smallest step.
    static constexpr double AnimationTolerance = 0.001;
    // Interval asked of the timer; the platform floor makes it 10 ms.
    static constexpr int AnimationInterval = 1;

    // designMode: the gauge is being placed by a form designer; it then gets
    // style preset 4 and the threshold range 0..100, and never animates.
    explicit TDialGauge(QWidget *parent = nullptr, bool designMode = false);
    ~TDialGauge() override;

    // Copies the appearance of another TDialGauge (anything else is ignored):
    // limits, value, appearance objects, scale, fonts, animation, needle type
    // and sections; not ValueFormat nor OnValueChanged. The copy shows the
    // source's value and target (a glide goes on in the copy) and its
    // geometry is brought up to date.
    void Assign(const QObject *source);

    // --- properties --------------------------------------------------------
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
    QString Version() const;
    void SetVersion(const QString &value);
    TDialGaugeNeedleType NeedleType() const { return m_needleType; }
    void SetNeedleType(TDialGaugeNeedleType value);
    TDialGaugeSections *Sections() const { return m_sections.get(); }
    void SetSections(const TDialGaugeSections *value);
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool value);

    // Raised with (this, Value) at every animation step, when the Value setter
    // sets the value directly, and by the limit setters without animation.
    // Not raised by the final snap onto the target nor by Assign.
    TDialGaugeValueChanged OnValueChanged;
    // Raised once per distinct failure (a refused ValueFormat is not reported
    // again until the format changes); the rest of the dial goes on painting.
    // Raised from the event loop after the paint that met the error, so a
    // handler may open a window. OnPaintError first, then paintError().
    TDialGaugePaintError OnPaintError;

    // --- state -------------------------------------------------------------
    // The value Value moves toward; equals Value when nothing moves.
    double AnimationTarget() const { return m_animationTarget; }
    // True while the control has the keyboard focus.
    bool HasFocus() const { return m_hasFocus; }

    // Loading bracket for applying stored values: inside it values are set
    // directly (no animation); the end recomputes the dial rectangle, scale
    // table and arc geometry without a repaint request. Brackets nest.
    void BeginLoading();
    void EndLoading();
    bool IsLoading() const { return m_loadingDepth > 0; }
    // Form-designer state: the value never animates.
    void SetDesignMode(bool value);
    bool IsDesignMode() const { return m_designMode; }

    // --- style interface ---------------------------------------------------
    // Presets 0..9 recolour the dial through the ordinary setters; 8 and
    // 10..255 only copy ValueFont's colour into Font.
    void ApplyStyle(quint8 preset) override;

    // --- geometry (read by the painter and the mouse input) ---------------
    int DialLeft() const { return m_dialLeft; }
    int DialTop() const { return m_dialTop; }
    int DialWidth() const { return m_dialWidth; }
    int DialHeight() const { return m_dialHeight; }
    // (DialLeft, DialTop, DialWidth, DialHeight) in single precision.
    QRectF DialRect() const { return m_dialRect; }
    // Needle pivot: (DialLeft + DialWidth/2, DialTop + DialHeight/2), unrounded.
    QPointF DialCenter() const;
    // Round(Width x Arc.Width), saturated to the int range.
    int ArcInset() const;
    // DialRect moved in by ArcInset on every side, in single precision.
    QRectF ArcRect() const { return m_arcRect; }
    double ThresholdBandStart() const { return m_thresholdBandStart; }
    double ThresholdBandSweep() const { return m_thresholdBandSweep; }
    // Used entries first (in drawing order), then mkNone entries.
    const TScaleTable &ScaleTable() const { return *m_scaleTable; }
    // Centre of the scale circle: DialCenter rounded half-to-even per axis.
    QPointF ScaleCenter() const;
    int ScaleInset() const;
    double ScaleRadius() const;
    // Angle between two neighbouring marks, in radians.
    double MarkStep() const;
    // Entries of ScaleTable in use: DivisionCount x (SubDivisionCount + 2) + 1.
    int ScaleMarkCount() const;

    // Angle in degrees of value v; linear, unclamped.
    double ValueToAngle(double v) const;
    // The same mapping through a percentage, as needle and band use it.
    double ValueToAnglePercent(double v) const;
    static double DegreesToRadians(double degrees);
    // 0.38 x Width, and the needle's side radius 0.09 x Width.
    double NeedleLength() const;
    double NeedleSideRadius() const;
    // Tip, side, centre, side, back of the tip, in single precision.
    TArrayOfPointF NeedleOutline(double v) const;
    // A section's outer ellipse (OuterMargin from the control's edges) and
    // inner circle (InnerMargin around the control's centre), in double.
    QRectF SectionOuterRect(const TDialGaugeSection &section) const;
    QRectF SectionInnerRect(const TDialGaugeSection &section) const;

    // Recompute steps; each rewrites its quantities whole.
    void UpdateDialRect();
    void UpdateScaleTable();
    void UpdateArcGeometry();

    // --- value and input ---------------------------------------------------
    // One tick of the animation timer.
    void AnimationStep();
    // Moves current toward target by max(tolerance, step), or snaps onto the
    // target when within tolerance (strictly) and returns false.
    static bool StepToward(double &current, double target, double tolerance, double step);
    // Sets the value whose wedge (centre to the chord between the tips half a
    // step either side) holds the point; nothing outside every wedge.
    void PointToValue(int x, int y);
    // Even-odd crossing test; left edges are inside, right edges outside.
    static bool PointInPolygon(const TArrayOfPointF &points, int x, int y);

    // Requests a repaint of the face (property, palette, font or focus
    // change). Appearance objects reach it through their OnChange.
    void Invalidate();
    // Repaint requests made so far (each one update()); for diagnostics.
    quint64 RepaintRequestCount() const { return m_repaintRequests; }
    const TWindowTimer &AnimationTimer() const { return *m_timer; }

signals:
    void paintError(const QString &message);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    friend class TDialGaugeThreshold;

    enum class Repaint { Face, ValueOnly };
    class ChangeBatch;

    // The one place that requests repaints: decides whether cached layers go
    // and asks Qt for one update(). Inside a batch, requests merge into one.
    void Changed(Repaint kind);
    void RaiseValueChanged();
    void RaisePaintError(const QString &message);
    TNotifyEvent RepaintHandler();

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
    std::unique_ptr<TDialGaugePainter> m_painter;
};
