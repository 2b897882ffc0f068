#include "gauge/DialGauge.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

#include "gauge/DialGaugeAccessible.h"
#include "gauge/DialGaugePainter.h"
#include "gauge/DialGaugePrivate.h"
#include "gauge/DialGaugeProperties.h"
#include "platform/SysErrors.h"
#include "platform/WindowTimer.h"

namespace {

// Round half to even (the default rounding mode), in extended precision.
long double RoundHalfEven(long double x)
{
    return std::nearbyintl(x);
}

// Round half to even into an int; out-of-range results saturate.
int RoundToInt(long double x)
{
    const long double r = RoundHalfEven(x);
    if (std::isnan(r))
        return 0;
    if (r >= static_cast<long double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= static_cast<long double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

QPointF SinglePoint(long double x, long double y)
{
    return QPointF(static_cast<float>(x), static_cast<float>(y));
}

constexpr quint32 VersionNumber = 0x01030000;

struct StylePreset
{
    TColor arcAndBox;
    TColor innerCircle;
    TColor outerCircle;
    TColor threshold;
    TColor text;
    TColor needle;
    TColor innerCenter;
    TColor outerCenter;
    TColor shine;
};

// Presets 0..9; row 8 is never read (it changes no colour).
constexpr StylePreset StylePresets[10] = {
    {0xD68759, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0x962D00, 0x962D00, 0xFFD2AF, 0x933803, 0xD68759},
    {0xBDA4A5, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0x947C7C, 0x947C7C, 0xE6D8D8, 0x957475, 0xBDA4A5},
    {0x82C0AF, 0x82C0AF, 0xCFF0EA, 0xCFF0EA, 0x447A63, 0x447A63, 0x447A63, 0x447A63, 0x447A63},
    {0x808080, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0xF2F2F2, 0x808080, 0x808080},
    {0xFFEFE3, 0xFFD2AF, 0xFFD2AF, 0xFFD2AF, 0x962D00, 0xFFD2AF, 0xFFD2AF, 0xFFD1AD, 0xFFEFE3},
    {0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xF2F1F0, 0xF2F1F0, 0xFFD1AD, 0xF2F1F0},
    {0x5C534C, clBtnFace, clBtnFace, clBtnFace, 0x5C534C, 0x5C534C, 0x5C534C, 0xFFD1AD, 0x5C534C},
    {0xF5F9FA, 0xEBEEEF, 0xEBEEEF, 0x5C534C, 0x5C534C, 0x5C534C, 0xF5F9FA, 0xFFD1AD, 0xF5F9FA},
    {},
    {0xCAC1BA, 0xCAC1BA, 0xCAC1BA, 0xF8F7F6, 0x5C534C, 0x5C534C, 0xF5F9FA, 0xFFD1AD, 0xF8F7F6},
};

} // namespace

using Repaint = TDialGaugePrivate::Repaint;

// Merges the repaint requests of a compound change (a copy, a preset) into one.
class ChangeBatch
{
public:
    explicit ChangeBatch(TDialGaugePrivate &gauge) : m_gauge(gauge) { ++m_gauge.m_batchDepth; }
    ~ChangeBatch()
    {
        if (--m_gauge.m_batchDepth > 0 || !m_gauge.m_batchRepaint)
            return;
        const Repaint kind = m_gauge.m_batchFace ? Repaint::Face : Repaint::ValueOnly;
        m_gauge.m_batchRepaint = false;
        m_gauge.m_batchFace = false;
        m_gauge.Changed(kind);
    }
    ChangeBatch(const ChangeBatch &) = delete;
    ChangeBatch &operator=(const ChangeBatch &) = delete;

private:
    TDialGaugePrivate &m_gauge;
};

TDialGauge::TDialGauge(QWidget *parent, bool designMode)
    : QWidget(parent), d(std::make_unique<TDialGaugePrivate>(*this))
{
    d->m_designMode = designMode;
    d->m_painter = std::make_unique<TDialGaugePainter>(*this);
    d->m_painter->SetErrorReport([this](const Exception &error) { d->RaisePaintError(error.message()); });
    // The parent shows through wherever the gauge paints nothing.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(Qt::NoFocus);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);

    d->m_font = std::make_unique<TDialGaugeFont>(this);
    d->m_font->SetColor(0x00FC7C);
    d->m_valueFont = std::make_unique<TDialGaugeFont>(this);
    d->m_valueFont->SetColor(0x00FC7C);
    d->m_valueFont->SetSize(11);
    d->m_font->SetColor(0x00FC7C);
    d->m_font->SetSize(14);
    d->m_font->SetName(QStringLiteral("Tahoma"));
    d->m_valueFont->SetName(QStringLiteral("Tahoma"));
    // A QFont carries no change notification of its own; these do.
    d->m_font->OnChange = d->RepaintHandler();
    d->m_valueFont->OnChange = d->RepaintHandler();

    resize(200, 200);

    d->m_divisionWidth = 5;
    d->m_subDivisionWidth = 2;
    d->m_divisionColor = 0x00FC7C;
    d->m_subDivisionColor = 0x00FC7C;
    d->m_valueFormat = QStringLiteral("000.00");
    d->m_dialLeft = 5;
    d->m_dialTop = 5;
    d->m_divisionCount = 10;
    d->m_subDivisionCount = 3;
    d->m_minimumValue = 0;
    d->m_maximumValue = 100;
    d->m_value = 0.0;

    d->m_digit = std::make_unique<TDialGaugeDigit>(this);
    d->m_digit->OnChange = d->RepaintHandler();
    d->m_outerCircle = std::make_unique<TDialGaugeOuterCircle>(this);
    d->m_outerCircle->OnChange = d->RepaintHandler();
    d->m_innerCircle = std::make_unique<TDialGaugeInnerCircle>(this);
    d->m_innerCircle->OnChange = d->RepaintHandler();
    d->m_outerRim = std::make_unique<TDialGaugeOuterRim>(this);
    d->m_outerRim->OnChange = d->RepaintHandler();
    d->m_needle = std::make_unique<TDialGaugeNeedle>(this);
    d->m_needle->OnChange = d->RepaintHandler();
    d->m_arc = std::make_unique<TDialGaugeArc>(this);
    d->m_arc->OnChange = d->RepaintHandler();
    d->m_sections = std::make_unique<TDialGaugeSections>(this);
    d->m_sections->OnChange = d->RepaintHandler();

    // Runs only while the value has somewhere to go (SyncTimer): a gauge at
    // rest wakes nobody.
    d->m_timer = std::make_unique<TWindowTimer>();
    d->m_timer->SetInterval(AnimationInterval);
    d->m_timer->OnTimer = [this] { AnimationStep(); };

    d->m_needleType = ntPointer;

    if (d->m_designMode)
        ApplyStyle(4);

    UpdateDialRect();
    UpdateScaleTable();
}

TDialGauge::~TDialGauge()
{
    // Sections repaint their gauge when freed; nothing may reach the painter now.
    d->m_destroying = true;
    d->m_timer->SetEnabled(false);
    d->m_arc.reset();
    d->m_digit.reset();
    d->m_outerCircle.reset();
    d->m_innerCircle.reset();
    d->m_font.reset();
    d->m_valueFont.reset();
    d->m_needle.reset();
    d->m_outerRim.reset();
    d->m_timer.reset();
    d->m_sections.reset();
    d->m_painter.reset();
}

// --- change path -----------------------------------------------------------

TDialGaugePrivate::TDialGaugePrivate(TDialGauge &gauge)
    : q(gauge), m_scaleTable(std::make_unique<TDialGauge::TScaleTable>())
{
}

TDialGaugePrivate::~TDialGaugePrivate() = default;

void TDialGaugePrivate::Changed(Repaint kind)
{
    if (m_destroying)
        return;
    if (m_batchDepth > 0) {
        m_batchRepaint = true;
        m_batchFace = m_batchFace || kind == Repaint::Face;
        return;
    }
    ++m_repaintRequests;
    if (kind == Repaint::ValueOnly) {
        // What the value changes: the needle where the last request left
        // it and where it is now, and the read-out. Qt merges the regions
        // of requests made before the paint.
        m_requestedRegion = m_painter->ValueChangeRegion(m_requestedValue, m_value);
        q.update(m_requestedRegion);
    } else {
        // The painter finds out for itself which kept layers the change
        // reaches.
        m_requestedRegion = QRegion();
        q.update();
    }
    m_requestedValue = m_value;
    emit q.changed();
}

void TDialGauge::Invalidate()
{
    d->Changed(Repaint::Face);
}

void TDialGaugePrivate::SyncTimer()
{
    // A stopped timer that starts on a new target ticks one interval later,
    // as a running one would at the latest; every tick computes its step
    // from the state alone, so the values are the same either way. The
    // final snap onto the target is a tick of its own and still runs.
    const bool moving = m_animation && !m_designMode && m_loadingDepth == 0 && m_value != m_animationTarget;
    if (m_timer && !m_destroying)
        m_timer->SetEnabled(moving);
}

TNotifyEvent TDialGaugePrivate::RepaintHandler()
{
    return [this](QObject *) { Changed(Repaint::Face); };
}

void TDialGaugePrivate::RaiseValueChanged()
{
    // Both carry the value of this change, even if the callback sets another.
    const double value = m_value;
    // Assistive technology hears of a glide once, where it ends.
    const bool resting = m_value == m_animationTarget;
    if (const TDialGauge::TDialGaugeValueChanged handler = q.OnValueChanged)
        handler(&q, value);
    emit q.valueChanged(value);
    if (resting)
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

// --- copying ---------------------------------------------------------------

void TDialGauge::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGauge *>(source);
    if (!other || other == this)
        return;
    ChangeBatch batch(*d);
    d->m_animationFactor = other->d->m_animationFactor;
    d->m_minimumValue = other->d->m_minimumValue;
    d->m_maximumValue = other->d->m_maximumValue;
    d->m_value = other->d->m_value;
    d->m_digit->Assign(other->d->m_digit.get());
    d->m_outerCircle->Assign(other->d->m_outerCircle.get());
    d->m_innerCircle->Assign(other->d->m_innerCircle.get());
    d->m_outerRim->Assign(other->d->m_outerRim.get());
    d->m_needle->Assign(other->d->m_needle.get());
    d->m_arc->Assign(other->d->m_arc.get());
    d->m_divisionCount = other->d->m_divisionCount;
    d->m_subDivisionCount = other->d->m_subDivisionCount;
    d->m_divisionColor = other->d->m_divisionColor;
    d->m_subDivisionColor = other->d->m_subDivisionColor;
    d->m_divisionWidth = other->d->m_divisionWidth;
    d->m_subDivisionWidth = other->d->m_subDivisionWidth;
    d->m_dialText = other->d->m_dialText;
    d->m_font->Assign(other->d->m_font.get());
    d->m_valueFont->Assign(other->d->m_valueFont.get());
    d->m_animation = other->d->m_animation;
    d->m_needleType = other->d->m_needleType;
    d->m_sections->Assign(other->d->m_sections.get());
    // The copy moves like its source: an old target of its own could lie
    // outside the copied range, and a stale scale would be a wrong picture.
    d->m_animationTarget = other->d->m_animationTarget;
    UpdateScaleTable();
    UpdateArcGeometry();
    d->SyncTimer();
    d->Changed(Repaint::Face);
}

// --- properties --------------------------------------------------------------

void TDialGauge::SetAnimationFactor(int value)
{
    if (d->m_animationFactor == value)
        return;
    d->m_animationFactor = value;
    d->Changed(Repaint::Face);
}

void TDialGauge::SetMinimumValue(int value)
{
    if (value >= d->m_maximumValue)
        return;
    // No equality test: the same limit runs every step again.
    d->m_minimumValue = value;
    // In design mode nothing glides, so the value is pulled in directly.
    const bool glide = d->m_animation && !d->m_designMode;
    bool pulled = false;
    if (glide) {
        if (value > d->m_animationTarget)
            d->m_animationTarget = value;
        // The shown value never lies outside the scale, not even while it
        // glides in; listeners hear of it, as the target may equal the limit.
        const double inside = std::clamp<double>(d->m_value, d->m_minimumValue, d->m_maximumValue);
        pulled = inside != d->m_value;
        d->m_value = inside;
    } else {
        // Clamped on both sides: a glide frozen outside the range is pulled in too.
        d->m_value = std::clamp<double>(d->m_value, d->m_minimumValue, d->m_maximumValue);
        d->m_animationTarget = d->m_value;
    }
    TDialGaugeThreshold &threshold = *d->m_arc->Threshold();
    if (d->m_minimumValue > threshold.Center())
        threshold.PullCenter(d->m_minimumValue);
    UpdateScaleTable();
    UpdateArcGeometry();
    d->SyncTimer();
    d->Changed(Repaint::Face);
    if (!glide || pulled)
        d->RaiseValueChanged();
}

void TDialGauge::SetMaximumValue(int value)
{
    if (value <= d->m_minimumValue)
        return;
    d->m_maximumValue = value;
    const bool glide = d->m_animation && !d->m_designMode;
    bool pulled = false;
    if (glide) {
        if (value < d->m_animationTarget)
            d->m_animationTarget = value;
        // The shown value never lies outside the scale, not even while it
        // glides in; listeners hear of it, as the target may equal the limit.
        const double inside = std::clamp<double>(d->m_value, d->m_minimumValue, d->m_maximumValue);
        pulled = inside != d->m_value;
        d->m_value = inside;
    } else {
        // Clamped on both sides: a glide frozen outside the range is pulled in too.
        d->m_value = std::clamp<double>(d->m_value, d->m_minimumValue, d->m_maximumValue);
        d->m_animationTarget = d->m_value;
    }
    TDialGaugeThreshold &threshold = *d->m_arc->Threshold();
    if (d->m_maximumValue < threshold.Center())
        threshold.PullCenter(d->m_maximumValue);
    UpdateScaleTable();
    UpdateArcGeometry();
    d->SyncTimer();
    d->Changed(Repaint::Face);
    if (!glide || pulled)
        d->RaiseValueChanged();
}

void TDialGauge::SetValue(double value)
{
    // Not clamped: a value outside the scale leaves the needle where it is.
    if (std::isnan(value) || value < d->m_minimumValue || value > d->m_maximumValue)
        return;
    if (d->m_animation && !d->m_designMode && !IsLoading()) {
        d->m_animationTarget = value;
        d->SyncTimer();
        d->Changed(Repaint::ValueOnly);
        return;
    }
    d->m_value = value;
    d->m_animationTarget = value;
    d->SyncTimer();
    d->Changed(Repaint::ValueOnly);
    // Raised also when the value did not change.
    d->RaiseValueChanged();
}

void TDialGauge::SetDigit(const TDialGaugeDigit *value)
{
    if (!value || value == d->m_digit.get())
        return;
    ChangeBatch batch(*d);
    d->m_digit->Assign(value);
    d->Changed(Repaint::Face);
}

void TDialGauge::SetOuterCircle(const TDialGaugeOuterCircle *value)
{
    if (!value || value == d->m_outerCircle.get())
        return;
    ChangeBatch batch(*d);
    d->m_outerCircle->Assign(value);
    d->Changed(Repaint::Face);
}

void TDialGauge::SetInnerCircle(const TDialGaugeInnerCircle *value)
{
    if (!value || value == d->m_innerCircle.get())
        return;
    ChangeBatch batch(*d);
    d->m_innerCircle->Assign(value);
    d->Changed(Repaint::Face);
}

void TDialGauge::SetOuterRim(const TDialGaugeOuterRim *value)
{
    if (!value || value == d->m_outerRim.get())
        return;
    ChangeBatch batch(*d);
    d->m_outerRim->Assign(value);
    d->Changed(Repaint::Face);
}

void TDialGauge::SetNeedle(const TDialGaugeNeedle *value)
{
    if (!value || value == d->m_needle.get())
        return;
    ChangeBatch batch(*d);
    d->m_needle->Assign(value);
    d->Changed(Repaint::Face);
}

void TDialGauge::SetArc(const TDialGaugeArc *value)
{
    if (!value)
        return;
    ChangeBatch batch(*d);
    d->m_arc->Assign(value);
    d->Changed(Repaint::Face);
}

void TDialGauge::SetDivisionCount(int value)
{
    if (value < 2 || value > 24)
        return;
    d->m_divisionCount = value;
    UpdateScaleTable();
    d->Changed(Repaint::Face);
}

void TDialGauge::SetSubDivisionCount(int value)
{
    if (value < 1 || value > 10)
        return;
    d->m_subDivisionCount = value;
    UpdateScaleTable();
    d->Changed(Repaint::Face);
}

void TDialGauge::SetDivisionColor(TColor value)
{
    if (d->m_divisionColor == value)
        return;
    d->m_divisionColor = value;
    d->Changed(Repaint::Face);
}

void TDialGauge::SetSubDivisionColor(TColor value)
{
    if (d->m_subDivisionColor == value)
        return;
    d->m_subDivisionColor = value;
    d->Changed(Repaint::Face);
}

void TDialGauge::SetDivisionWidth(int value)
{
    if (d->m_divisionWidth == value)
        return;
    d->m_divisionWidth = value;
    d->Changed(Repaint::Face);
}

void TDialGauge::SetSubDivisionWidth(int value)
{
    if (d->m_subDivisionWidth == value)
        return;
    d->m_subDivisionWidth = value;
    d->Changed(Repaint::Face);
}

void TDialGauge::SetDialText(const QString &value)
{
    if (d->m_dialText == value)
        return;
    d->m_dialText = value;
    d->Changed(Repaint::Face);
}

void TDialGauge::SetFont(const TDialGaugeFont *value)
{
    if (!value || value == d->m_font.get())
        return;
    ChangeBatch batch(*d);
    d->m_font->Assign(value);
    d->Changed(Repaint::Face);
}

void TDialGauge::SetValueFont(const TDialGaugeFont *value)
{
    if (!value || value == d->m_valueFont.get())
        return;
    ChangeBatch batch(*d);
    d->m_valueFont->Assign(value);
    d->Changed(Repaint::Face);
}

void TDialGauge::SetValueFormat(const QString &value)
{
    if (d->m_valueFormat == value)
        return;
    d->m_valueFormat = value;
    d->Changed(Repaint::Face);
}

void TDialGauge::SetAnimation(bool value)
{
    // Switching off freezes a glide where it is; switching on resumes it.
    if (d->m_animation == value)
        return;
    d->m_animation = value;
    d->SyncTimer();
    d->Changed(Repaint::Face);
    // A glide frozen on its way ends here for assistive technology.
    if (!value && d->m_value != d->m_animationTarget)
        TDialGaugeAccessible::ValueChanged(*this, d->m_value);
}

QString TDialGauge::Version() const
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(VersionNumber >> 24)
        .arg((VersionNumber >> 16) & 0xFF)
        .arg((VersionNumber >> 8) & 0xFF)
        .arg(VersionNumber & 0xFF);
}

void TDialGauge::SetVersion(const QString &)
{
}

void TDialGauge::SetNeedleType(TDialGaugeNeedleType value)
{
    if (d->m_needleType == value)
        return;
    d->m_needleType = value;
    d->Changed(Repaint::Face);
}

void TDialGauge::SetSections(const TDialGaugeSections *value)
{
    if (!value || value == d->m_sections.get())
        return;
    ChangeBatch batch(*d);
    d->m_sections->Assign(value);
    d->Changed(Repaint::Face);
}

void TDialGauge::SetTabStop(bool value)
{
    if (d->m_tabStop == value)
        return;
    d->m_tabStop = value;
    setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
    d->Changed(Repaint::Face);
}

// --- loading and design mode ----------------------------------------------

void TDialGauge::BeginLoading()
{
    ++d->m_loadingDepth;
}

void TDialGauge::EndLoading()
{
    if (d->m_loadingDepth == 0)
        return;
    if (--d->m_loadingDepth > 0)
        return;
    // Margins stay as they are; the next resize takes them from the size.
    UpdateDialRect();
    UpdateScaleTable();
    UpdateArcGeometry();
    d->SyncTimer();
}

void TDialGauge::SetDesignMode(bool value)
{
    d->m_designMode = value;
    d->SyncTimer();
}

// --- style presets -----------------------------------------------------------

void TDialGauge::ApplyStyle(quint8 preset)
{
    ChangeBatch batch(*d);
    if (preset <= 9 && preset != 8) {
        const StylePreset &p = StylePresets[preset];
        d->m_arc->SetColor(p.arcAndBox);
        d->m_innerCircle->SetColor(p.innerCircle);
        d->m_outerCircle->SetColor(p.outerCircle);
        d->m_arc->Threshold()->SetColor(p.threshold);
        d->m_digit->SetBackGroundColor(p.arcAndBox);
        d->m_digit->SetColor(p.text);
        SetDivisionColor(p.text);
        SetSubDivisionColor(p.text);
        d->m_needle->SetColor(p.needle);
        d->m_needle->SetInnerCenterColor(p.innerCenter);
        if (preset != 0)
            d->m_needle->SetInnerCenterColorTo(p.innerCenter);
        d->m_needle->SetOuterCenterColor(p.outerCenter);
        d->m_needle->SetShineColor(p.shine);
        d->m_valueFont->SetColor(p.text);
    }
    d->m_font->SetColor(d->m_valueFont->Color());
}

// --- geometry ----------------------------------------------------------------

void TDialGauge::UpdateDialRect()
{
    d->m_dialWidth = width() - 2 * d->m_dialLeft;
    d->m_dialHeight = height() - 2 * d->m_dialTop;
    d->m_dialRect = QRectF(static_cast<float>(d->m_dialLeft), static_cast<float>(d->m_dialTop),
                        static_cast<float>(d->m_dialWidth), static_cast<float>(d->m_dialHeight));
}

QPointF TDialGauge::DialCenter() const
{
    return QPointF(d->m_dialLeft + d->m_dialWidth / 2.0, d->m_dialTop + d->m_dialHeight / 2.0);
}

int TDialGauge::ArcInset() const
{
    // In extended precision: at Width 50 this is Round(1.4999...) = 1, not 2.
    return RoundToInt(static_cast<long double>(width()) * static_cast<long double>(d->m_arc->Width()));
}

void TDialGauge::UpdateArcGeometry()
{
    const long double inset = ArcInset();
    d->m_arcRect = QRectF(static_cast<float>(d->m_dialRect.x() + inset),
                       static_cast<float>(d->m_dialRect.y() + inset),
                       static_cast<float>(d->m_dialRect.width() - 2 * inset),
                       static_cast<float>(d->m_dialRect.height() - 2 * inset));

    const TDialGaugeThreshold &threshold = *d->m_arc->Threshold();
    const double centre = ValueToAnglePercent(threshold.Center());
    // Span is a percentage of SweepAngle; the product is formed in 64 bits.
    const long double band = static_cast<long double>(
        static_cast<qint64>(threshold.SweepAngle()) * threshold.Span());
    double start = static_cast<double>(centre - band / 200);
    if (d->m_arc->StartAngle() >= start)
        start = d->m_arc->StartAngle();
    double sweep = static_cast<double>(band / 100);
    if (start + sweep > d->m_arc->StopAngle())
        sweep = d->m_arc->StopAngle() - start;
    d->m_thresholdBandStart = start;
    d->m_thresholdBandSweep = sweep;
}

QPointF TDialGauge::ScaleCenter() const
{
    return QPointF(static_cast<double>(RoundHalfEven(d->m_dialWidth / 2.0L) + d->m_dialLeft),
                   static_cast<double>(RoundHalfEven(d->m_dialHeight / 2.0L) + d->m_dialTop));
}

int TDialGauge::ScaleInset() const
{
    // The double constant 0.01 widened: at Width 50 this is Round(0.50000000000000001) = 1.
    return RoundToInt(static_cast<long double>(width()) * static_cast<long double>(0.01));
}

double TDialGauge::ScaleRadius() const
{
    const long double inset = ScaleInset();
    return static_cast<double>((d->m_dialWidth - inset) / 2 - 5 * inset);
}

double TDialGauge::MarkStep() const
{
    const long double sweep = static_cast<long double>(d->m_arc->StopAngle()) - d->m_arc->StartAngle();
    return DegreesToRadians(static_cast<double>(sweep / (d->m_divisionCount * (d->m_subDivisionCount + 1))));
}

int TDialGauge::ScaleMarkCount() const
{
    return d->m_divisionCount * (d->m_subDivisionCount + 2) + 1;
}

void TDialGauge::UpdateScaleTable()
{
    TScaleTable &table = *d->m_scaleTable;
    table.fill(ScaleMark{});

    const QPointF centre = ScaleCenter();
    const long double cx = centre.x();
    const long double cy = centre.y();
    const double radius = ScaleRadius();
    // Lengths follow the control's width, also in a non-square control.
    const long double w = width();
    const double divisionInner = static_cast<double>(radius - w / 20);
    const double subDivisionInner = static_cast<double>(radius - w / 50);
    const double labelRadius = static_cast<double>(radius - w / 10);
    const double labelLift = static_cast<double>(w / 25);
    const double markStep = MarkStep();
    const long double labelStep =
        (static_cast<long double>(d->m_maximumValue) - d->m_minimumValue) / d->m_divisionCount;

    double a = DegreesToRadians(d->m_arc->StartAngle());
    double v = d->m_minimumValue;
    int i = 0;
    for (int j = 0; i < ScaleTableSize; ++j) {
        ScaleMark &division = table[std::size_t(i++)];
        const long double c = std::cos(static_cast<long double>(a));
        const long double s = std::sin(static_cast<long double>(a));
        division.Kind = mkDivision;
        division.OuterX = static_cast<double>(cx + radius * c);
        division.OuterY = static_cast<double>(cy + radius * s);
        division.InnerX = static_cast<double>(cx + divisionInner * c);
        division.InnerY = static_cast<double>(cy + divisionInner * s);
        division.LabelX = static_cast<double>(cx + labelRadius * c);
        division.LabelY = static_cast<double>(cy - labelLift + labelRadius * s);
        division.LabelValue = v;
        // Each label rounds the running value, so rounding accumulates.
        v = static_cast<double>(RoundHalfEven(v + labelStep));
        if (j == d->m_divisionCount)
            break;
        for (int k = 0; k <= d->m_subDivisionCount && i < ScaleTableSize; ++k) {
            a = a + markStep;
            ScaleMark &sub = table[std::size_t(i++)];
            const long double sc = std::cos(static_cast<long double>(a));
            const long double ss = std::sin(static_cast<long double>(a));
            sub.Kind = mkSubDivision;
            sub.OuterX = static_cast<double>(cx + radius * sc);
            sub.OuterY = static_cast<double>(cy + radius * ss);
            sub.InnerX = static_cast<double>(cx + subDivisionInner * sc);
            sub.InnerY = static_cast<double>(cy + subDivisionInner * ss);
        }
    }
}

double TDialGauge::ValueToAngle(double v) const
{
    const long double start = d->m_arc->StartAngle();
    const long double sweep = static_cast<long double>(d->m_arc->StopAngle()) - start;
    const long double range = static_cast<long double>(d->m_maximumValue) - d->m_minimumValue;
    return static_cast<double>(start + sweep / range * (v - static_cast<long double>(d->m_minimumValue)));
}

double TDialGauge::ValueToAnglePercent(double v) const
{
    const long double range = static_cast<long double>(d->m_maximumValue) - d->m_minimumValue;
    const double p = static_cast<double>((v - static_cast<long double>(d->m_minimumValue)) * 100 / range);
    const long double start = d->m_arc->StartAngle();
    const long double sweep = static_cast<long double>(d->m_arc->StopAngle()) - start;
    return static_cast<double>(start + sweep * p / 100);
}

double TDialGauge::DegreesToRadians(double degrees)
{
    return static_cast<double>(degrees * 0.017453292519943295L);
}

double TDialGauge::NeedleLength() const
{
    const long double w = width();
    return static_cast<double>(w / 2 - w * static_cast<long double>(0.12));
}

double TDialGauge::NeedleSideRadius() const
{
    return static_cast<double>(static_cast<long double>(width()) * static_cast<long double>(0.09));
}

TArrayOfPointF TDialGauge::NeedleOutline(double v) const
{
    const double t = ValueToAnglePercent(v);
    const QPointF c = DialCenter();
    const long double cx = c.x();
    const long double cy = c.y();
    const long double length = NeedleLength();
    const long double side = NeedleSideRadius();
    auto at = [&](long double radius, double radians) {
        return SinglePoint(cx + radius * std::cos(static_cast<long double>(radians)),
                           cy + radius * std::sin(static_cast<long double>(radians)));
    };
    return TArrayOfPointF{
        at(length, DegreesToRadians(t)),
        at(side, DegreesToRadians(t + 20)),
        SinglePoint(cx, cy),
        at(side, DegreesToRadians(t - 20)),
        // 0.02 rad behind the tip gives the tip a little width.
        at(length, DegreesToRadians(t) - 0.02),
    };
}

QRectF TDialGauge::SectionOuterRect(const TDialGaugeSection &section) const
{
    const double m = section.OuterMargin();
    return QRectF(m, m, width() - 2 * m, height() - 2 * m);
}

QRectF TDialGauge::SectionInnerRect(const TDialGaugeSection &section) const
{
    const double r = section.InnerMargin();
    return QRectF(width() / 2.0 - r, height() / 2.0 - r, 2 * r, 2 * r);
}

// --- value animation and input -----------------------------------------------

void TDialGauge::AnimationStep()
{
    if (!d->m_animation || IsLoading() || d->m_designMode) {
        d->SyncTimer();
        return;
    }
    // A factor of 0 has no step; it acts as 1 (the first tick covers the distance).
    const int factor = d->m_animationFactor == 0 ? 1 : d->m_animationFactor;
    const double step = static_cast<double>(
        std::fabs(static_cast<long double>(d->m_animationTarget) - d->m_value) / factor);
    double current = d->m_value;
    if (StepToward(current, d->m_animationTarget, AnimationTolerance, step)) {
        d->m_value = current;
        d->Changed(Repaint::ValueOnly);
        d->RaiseValueChanged();
    } else {
        // Resting or the final snap: silent, no repaint.
        const bool snap = d->m_value != d->m_animationTarget;
        d->m_value = d->m_animationTarget;
        d->SyncTimer();
        if (snap)
            TDialGaugeAccessible::ValueChanged(*this, d->m_value);
    }
}

bool TDialGauge::StepToward(double &current, double target, double tolerance, double step)
{
    if (target - tolerance < current && current < target + tolerance) {
        current = target;
        return false;
    }
    const double d = std::max(tolerance, step);
    // A step that covers the whole distance can round one unit past the
    // target, and the target may be a limit of the scale: stop on it.
    if (current >= target)
        current = std::max(current - d, target);
    else
        current = std::min(current + d, target);
    return true;
}

void TDialGauge::PointToValue(int x, int y)
{
    const int n = d->m_divisionCount * (d->m_subDivisionCount + 1);
    const double step = static_cast<double>(
        (static_cast<long double>(d->m_maximumValue) - d->m_minimumValue) / n);
    const QPointF centre = SinglePoint(width() / 2.0L, height() / 2.0L);
    double v = d->m_minimumValue;
    // Candidates by repeated addition: the last may land a rounding step above
    // MaximumValue, and the Value setter then refuses it.
    for (int k = 0; k <= n; ++k) {
        const QPointF t1 = NeedleOutline(v + step / 2).first();
        const QPointF t2 = NeedleOutline(v - step / 2).first();
        if (PointInPolygon(TArrayOfPointF{t1, centre, t2}, x, y)) {
            SetValue(v);
            return;
        }
        v = v + step;
    }
}

bool TDialGauge::PointInPolygon(const TArrayOfPointF &points, int x, int y)
{
    bool inside = false;
    const qsizetype count = points.size();
    for (qsizetype i = 0, j = count - 1; i < count; j = i++) {
        const long double xi = points[i].x();
        const long double yi = points[i].y();
        const long double xj = points[j].x();
        const long double yj = points[j].y();
        if (((yi <= y && y < yj) || (yj <= y && y < yi))
            && x < xi + (xj - xi) * (y - yi) / (yj - yi))
            inside = !inside;
    }
    return inside;
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
    if (event->type() == QEvent::DynamicPropertyChange) {
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
}

void TDialGauge::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->m_dialLeft = width() / 50;
    d->m_dialTop = height() / 50;
    UpdateDialRect();
    UpdateScaleTable();
    UpdateArcGeometry();
    d->Changed(Repaint::Face);
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
        d->Changed(Repaint::Face);
        break;
    default:
        break;
    }
}

void TDialGauge::keyPressEvent(QKeyEvent *event)
{
    if (!d->m_tabStop || !isEnabled()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const double page = static_cast<double>(
        (static_cast<long double>(d->m_maximumValue) - d->m_minimumValue) / d->m_divisionCount);
    switch (event->key()) {
    case Qt::Key_PageUp: SetValue(d->m_value + page); break;
    case Qt::Key_PageDown: SetValue(d->m_value - page); break;
    case Qt::Key_End: SetValue(d->m_maximumValue); break;
    case Qt::Key_Home: SetValue(d->m_minimumValue); break;
    case Qt::Key_Left: SetValue(d->m_value - 1); break;
    case Qt::Key_Up: SetValue(d->m_value + 1); break;
    case Qt::Key_Right: SetValue(d->m_value + 1); break;
    case Qt::Key_Down: SetValue(d->m_value - 1); break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TDialGauge::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (!d->m_tabStop || !isEnabled())
        return;
    const QPoint at = event->position().toPoint();
    PointToValue(at.x(), at.y());
    event->accept();
}

void TDialGauge::focusInEvent(QFocusEvent *)
{
    d->m_hasFocus = true;
    d->Changed(Repaint::Face);
}

void TDialGauge::focusOutEvent(QFocusEvent *)
{
    d->m_hasFocus = false;
    d->Changed(Repaint::Face);
}

// --- getters ---------------------------------------------------------------

int TDialGauge::AnimationFactor() const
{
    return d->m_animationFactor;
}

int TDialGauge::MinimumValue() const
{
    return d->m_minimumValue;
}

int TDialGauge::MaximumValue() const
{
    return d->m_maximumValue;
}

double TDialGauge::Value() const
{
    return d->m_value;
}

TDialGaugeDigit *TDialGauge::Digit() const
{
    return d->m_digit.get();
}

TDialGaugeOuterCircle *TDialGauge::OuterCircle() const
{
    return d->m_outerCircle.get();
}

TDialGaugeInnerCircle *TDialGauge::InnerCircle() const
{
    return d->m_innerCircle.get();
}

TDialGaugeOuterRim *TDialGauge::OuterRim() const
{
    return d->m_outerRim.get();
}

TDialGaugeNeedle *TDialGauge::Needle() const
{
    return d->m_needle.get();
}

TDialGaugeArc *TDialGauge::Arc() const
{
    return d->m_arc.get();
}

int TDialGauge::DivisionCount() const
{
    return d->m_divisionCount;
}

int TDialGauge::SubDivisionCount() const
{
    return d->m_subDivisionCount;
}

TColor TDialGauge::DivisionColor() const
{
    return d->m_divisionColor;
}

TColor TDialGauge::SubDivisionColor() const
{
    return d->m_subDivisionColor;
}

int TDialGauge::DivisionWidth() const
{
    return d->m_divisionWidth;
}

int TDialGauge::SubDivisionWidth() const
{
    return d->m_subDivisionWidth;
}

QString TDialGauge::DialText() const
{
    return d->m_dialText;
}

TDialGaugeFont *TDialGauge::Font() const
{
    return d->m_font.get();
}

TDialGaugeFont *TDialGauge::ValueFont() const
{
    return d->m_valueFont.get();
}

QString TDialGauge::ValueFormat() const
{
    return d->m_valueFormat;
}

bool TDialGauge::Animation() const
{
    return d->m_animation;
}

TDialGaugeNeedleType TDialGauge::NeedleType() const
{
    return d->m_needleType;
}

TDialGaugeSections *TDialGauge::Sections() const
{
    return d->m_sections.get();
}

bool TDialGauge::TabStop() const
{
    return d->m_tabStop;
}

double TDialGauge::AnimationTarget() const
{
    return d->m_animationTarget;
}

bool TDialGauge::HasFocus() const
{
    return d->m_hasFocus;
}

bool TDialGauge::IsLoading() const
{
    return d->m_loadingDepth > 0;
}

bool TDialGauge::IsDesignMode() const
{
    return d->m_designMode;
}

int TDialGauge::DialLeft() const
{
    return d->m_dialLeft;
}

int TDialGauge::DialTop() const
{
    return d->m_dialTop;
}

int TDialGauge::DialWidth() const
{
    return d->m_dialWidth;
}

int TDialGauge::DialHeight() const
{
    return d->m_dialHeight;
}

QRectF TDialGauge::DialRect() const
{
    return d->m_dialRect;
}

QRectF TDialGauge::ArcRect() const
{
    return d->m_arcRect;
}

double TDialGauge::ThresholdBandStart() const
{
    return d->m_thresholdBandStart;
}

double TDialGauge::ThresholdBandSweep() const
{
    return d->m_thresholdBandSweep;
}

const TDialGauge::TScaleTable &TDialGauge::ScaleTable() const
{
    return *d->m_scaleTable;
}

quint64 TDialGauge::RepaintRequestCount() const
{
    return d->m_repaintRequests;
}
