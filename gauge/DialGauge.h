// SPDX-License-Identifier: MIT
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
#include <DialGauge/DialGaugeProperties.h>
#include <DialGauge/DialGaugeSection.h>
#include <DialGauge/DialGaugeSections.h>
#include <DialGauge/DialGaugeThreshold.h>
#include <DialGauge/DialGaugeTypes.h>
#include <DialGauge/StyleInterface.h>

class TDialGaugePrivate;

// A circular, animated gauge showing one number: scale with divisions and
// labels, coloured arc, threshold band, optional value bands (sections), a
// needle, a seven-segment read-out and a free dial text.
//
// Angles are degrees with 0 pointing right (3 o'clock), growing clockwise on
// the screen (y grows downward); radians appear only inside trigonometry.
// Positions are client pixels.
//
// Every change of a property reaches one repaint request, and with it one
// changed() signal; Value notifies through valueChanged(). Values outside a
// property's accepted range are refused silently (nothing changes, nothing is
// raised). Assigning an object-valued property copies its contents.
//
// Size: a new gauge is 200 x 200, its size hint; in a layout its height
// follows its width.
class DIALGAUGE_EXPORT TDialGauge : public QWidget, public IStyleInterface
{
    Q_OBJECT
    Q_INTERFACES(IStyleInterface)

    // Divisor of the remaining distance per animation step; 0 acts as 1, a
    // negative factor moves by the smallest step (0.001). Default 5.
    Q_PROPERTY(int AnimationFactor READ AnimationFactor WRITE SetAnimationFactor NOTIFY changed)
    // Scale limits; each setter refuses a value that would reach the other
    // limit. Defaults 0 and 100.
    Q_PROPERTY(int MinimumValue READ MinimumValue WRITE SetMinimumValue NOTIFY changed)
    Q_PROPERTY(int MaximumValue READ MaximumValue WRITE SetMaximumValue NOTIFY changed)
    // The value shown now (an intermediate one while the needle glides).
    // Values outside MinimumValue..MaximumValue and NaN are refused. Default 0.0.
    Q_PROPERTY(double Value READ Value WRITE SetValue NOTIFY valueChanged)
    Q_PROPERTY(TDialGaugeDigit *Digit READ Digit WRITE SetDigit NOTIFY changed)
    Q_PROPERTY(TDialGaugeOuterCircle *OuterCircle READ OuterCircle WRITE SetOuterCircle
                   NOTIFY changed)
    Q_PROPERTY(TDialGaugeInnerCircle *InnerCircle READ InnerCircle WRITE SetInnerCircle
                   NOTIFY changed)
    Q_PROPERTY(TDialGaugeOuterRim *OuterRim READ OuterRim WRITE SetOuterRim NOTIFY changed)
    Q_PROPERTY(TDialGaugeNeedle *Needle READ Needle WRITE SetNeedle NOTIFY changed)
    Q_PROPERTY(TDialGaugeArc *Arc READ Arc WRITE SetArc NOTIFY changed)
    // Major divisions, accepted 2..24. Default 10.
    Q_PROPERTY(int DivisionCount READ DivisionCount WRITE SetDivisionCount NOTIFY changed)
    // Minor ticks between two major ones, accepted 1..10. Default 3.
    Q_PROPERTY(int SubDivisionCount READ SubDivisionCount WRITE SetSubDivisionCount
                   NOTIFY changed)
    // Tick colours (clNone hides the ticks, labels stay). Default 0x00FC7C.
    Q_PROPERTY(TColor DivisionColor READ DivisionColor WRITE SetDivisionColor NOTIFY changed)
    Q_PROPERTY(TColor SubDivisionColor READ SubDivisionColor WRITE SetSubDivisionColor
                   NOTIFY changed)
    // Tick pen widths in pixels. Defaults 5 and 2.
    Q_PROPERTY(int DivisionWidth READ DivisionWidth WRITE SetDivisionWidth NOTIFY changed)
    Q_PROPERTY(int SubDivisionWidth READ SubDivisionWidth WRITE SetSubDivisionWidth
                   NOTIFY changed)
    // Free text drawn on the dial in Font. Default empty.
    Q_PROPERTY(QString DialText READ DialText WRITE SetDialText NOTIFY changed)
    // Dial text font ("Tahoma", 14 pt, 0x00FC7C) and scale label font
    // ("Tahoma", 11 pt, 0x00FC7C).
    Q_PROPERTY(TDialGaugeFont *Font READ Font WRITE SetFont NOTIFY changed)
    Q_PROPERTY(TDialGaugeFont *ValueFont READ ValueFont WRITE SetValueFont NOTIFY changed)
    // Number picture of the read-out. Default "000.00".
    Q_PROPERTY(QString ValueFormat READ ValueFormat WRITE SetValueFormat NOTIFY changed)
    // Whether accepted values are reached gradually. Default true.
    Q_PROPERTY(bool Animation READ Animation WRITE SetAnimation NOTIFY changed)
    // Always "1.3.0.0"; writing is accepted and ignored.
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    // Stored and repainted; both types draw the same needle. Default ntPointer.
    Q_PROPERTY(DialGaugeTypes::TDialGaugeNeedleType NeedleType READ NeedleType WRITE SetNeedleType
                   NOTIFY changed)
    Q_PROPERTY(TDialGaugeSections *Sections READ Sections WRITE SetSections NOTIFY changed)
    // Whether the user may change the value with keys and clicks; maps to the
    // focus policy (StrongFocus or NoFocus). Default false.
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop NOTIFY changed)
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
    // and sections; not ValueFormat nor the callbacks. The copy shows the
    // source's value and target (a glide goes on in the copy) and its
    // geometry is brought up to date.
    void Assign(const QObject *source);

    // --- properties --------------------------------------------------------
    int AnimationFactor() const;
    void SetAnimationFactor(int value);
    int MinimumValue() const;
    void SetMinimumValue(int value);
    int MaximumValue() const;
    void SetMaximumValue(int value);
    double Value() const;
    void SetValue(double value);
    TDialGaugeDigit *Digit() const;
    void SetDigit(const TDialGaugeDigit *value);
    TDialGaugeOuterCircle *OuterCircle() const;
    void SetOuterCircle(const TDialGaugeOuterCircle *value);
    TDialGaugeInnerCircle *InnerCircle() const;
    void SetInnerCircle(const TDialGaugeInnerCircle *value);
    TDialGaugeOuterRim *OuterRim() const;
    void SetOuterRim(const TDialGaugeOuterRim *value);
    TDialGaugeNeedle *Needle() const;
    void SetNeedle(const TDialGaugeNeedle *value);
    TDialGaugeArc *Arc() const;
    void SetArc(const TDialGaugeArc *value);
    int DivisionCount() const;
    void SetDivisionCount(int value);
    int SubDivisionCount() const;
    void SetSubDivisionCount(int value);
    TColor DivisionColor() const;
    void SetDivisionColor(TColor value);
    TColor SubDivisionColor() const;
    void SetSubDivisionColor(TColor value);
    int DivisionWidth() const;
    void SetDivisionWidth(int value);
    int SubDivisionWidth() const;
    void SetSubDivisionWidth(int value);
    QString DialText() const;
    void SetDialText(const QString &value);
    TDialGaugeFont *Font() const;
    void SetFont(const TDialGaugeFont *value);
    TDialGaugeFont *ValueFont() const;
    void SetValueFont(const TDialGaugeFont *value);
    QString ValueFormat() const;
    void SetValueFormat(const QString &value);
    bool Animation() const;
    void SetAnimation(bool value);
    QString Version() const;
    void SetVersion(const QString &value);
    TDialGaugeNeedleType NeedleType() const;
    void SetNeedleType(TDialGaugeNeedleType value);
    TDialGaugeSections *Sections() const;
    void SetSections(const TDialGaugeSections *value);
    bool TabStop() const;
    void SetTabStop(bool value);

    // Raised with (this, Value) at every animation step, when the Value setter
    // sets the value directly, by the limit setters without animation, and by
    // a limit setter that pulls a gliding value into the narrowed scale.
    // Not raised by the final snap onto the target nor by Assign. The signal
    // valueChanged() follows each call.
    TDialGaugeValueChanged OnValueChanged;
    // Raised once per distinct failure (a refused ValueFormat is not reported
    // again until the format changes); the rest of the dial goes on painting.
    // Raised from the event loop after the paint that met the error, so a
    // handler may open a window. OnPaintError first, then paintError().
    TDialGaugePaintError OnPaintError;

    // --- state -------------------------------------------------------------
    // The value Value moves toward; equals Value when nothing moves.
    double AnimationTarget() const;
    // True while the control has the keyboard focus.
    bool HasFocus() const;

    // Loading bracket for applying stored values: inside it values are set
    // directly (no animation); the end recomputes the dial rectangle, scale
    // table and arc geometry without a repaint request. Brackets nest.
    void BeginLoading();
    void EndLoading();
    bool IsLoading() const;
    // Form-designer state: the value never animates.
    void SetDesignMode(bool value);
    bool IsDesignMode() const;

    // --- style interface ---------------------------------------------------
    // Presets 0..9 recolour the dial through the ordinary setters; 8 and
    // 10..255 only copy ValueFont's colour into Font.
    void ApplyStyle(quint8 preset) override;

    // --- geometry (read by the painter and the mouse input) ---------------
    int DialLeft() const;
    int DialTop() const;
    int DialWidth() const;
    int DialHeight() const;
    // (DialLeft, DialTop, DialWidth, DialHeight) in single precision.
    QRectF DialRect() const;
    // Needle pivot: (DialLeft + DialWidth/2, DialTop + DialHeight/2), unrounded.
    QPointF DialCenter() const;
    // Round(Width x Arc.Width), saturated to the int range.
    int ArcInset() const;
    // DialRect moved in by ArcInset on every side, in single precision.
    QRectF ArcRect() const;
    double ThresholdBandStart() const;
    double ThresholdBandSweep() const;
    // Used entries first (in drawing order), then mkNone entries.
    const TScaleTable &ScaleTable() const;
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
    // Moves current toward target by max(tolerance, step), never past it, or
    // snaps onto the target when within tolerance (strictly) and returns false.
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
    quint64 RepaintRequestCount() const;

    // 200 x 200, the size of a new gauge.
    QSize sizeHint() const override;
    // 100 x 100: the scale labels keep their point size, so a smaller dial
    // buries its face under them.
    QSize minimumSizeHint() const override;
    // The dial is round: the height a layout should give is the width.
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

signals:
    // The shown value changed: raised exactly where OnValueChanged is, with
    // the same value, right after the callback.
    void valueChanged(double value);
    // Anything that affects the picture changed (the value included): one
    // per repaint request, so a compound change such as a copy or a preset
    // gives one.
    void changed();
    // Painting met an error; see OnPaintError, which is raised first.
    void paintError(const QString &message);

protected:
    // Takes the dotted appearance names of TDialGaugeProperties given to
    // setProperty(), as uic-generated code and QUiLoader give them.
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    friend class TDialGaugePrivate;
    std::unique_ptr<TDialGaugePrivate> d;
};
