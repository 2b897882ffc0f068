// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeState.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

#include "gauge/DialGauge.h"
#include "gauge/DialGaugePrivate.h"
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

using Repaint = TDialGaugeState::Repaint;

TDialGaugeState::THost::~THost() = default;

TDialGaugeState::TBatch::TBatch(TDialGaugeState &state) : m_state(state)
{
    ++m_state.m_batchDepth;
}

TDialGaugeState::TBatch::~TBatch()
{
    if (--m_state.m_batchDepth > 0 || !m_state.m_batchRepaint)
        return;
    const Repaint kind = m_state.m_batchFace ? Repaint::Face : Repaint::ValueOnly;
    m_state.m_batchRepaint = false;
    m_state.m_batchFace = false;
    m_state.Changed(kind);
}

TDialGaugeState::TDialGaugeState(THost &host, TDialGauge *widget, bool designMode)
    : m_host(host), m_widget(widget), m_scaleTable(std::make_unique<TScaleTable>()), m_designMode(designMode)
{
    m_font = std::make_unique<TDialGaugeFont>(m_widget);
    m_font->SetColor(0x00FC7C);
    m_valueFont = std::make_unique<TDialGaugeFont>(m_widget);
    m_valueFont->SetColor(0x00FC7C);
    m_valueFont->SetSize(11);
    m_font->SetColor(0x00FC7C);
    m_font->SetSize(14);
    m_font->SetName(QStringLiteral("Tahoma"));
    m_valueFont->SetName(QStringLiteral("Tahoma"));
    // A QFont carries no change notification of its own; these do.
    m_font->OnChange = RepaintHandler();
    m_valueFont->OnChange = RepaintHandler();

    m_divisionWidth = 5;
    m_subDivisionWidth = 2;
    m_divisionColor = 0x00FC7C;
    m_subDivisionColor = 0x00FC7C;
    m_valueFormat = QStringLiteral("000.00");
    m_dialLeft = 5;
    m_dialTop = 5;
    m_divisionCount = 10;
    m_subDivisionCount = 3;
    m_minimumValue = 0;
    m_maximumValue = 100;
    m_value = 0.0;

    m_digit = std::make_unique<TDialGaugeDigit>(m_widget);
    m_digit->OnChange = RepaintHandler();
    m_outerCircle = std::make_unique<TDialGaugeOuterCircle>(m_widget);
    m_outerCircle->OnChange = RepaintHandler();
    m_innerCircle = std::make_unique<TDialGaugeInnerCircle>(m_widget);
    m_innerCircle->OnChange = RepaintHandler();
    m_outerRim = std::make_unique<TDialGaugeOuterRim>(m_widget);
    m_outerRim->OnChange = RepaintHandler();
    m_needle = std::make_unique<TDialGaugeNeedle>(m_widget);
    m_needle->OnChange = RepaintHandler();
    // These two reach back into the state for geometry and limits.
    m_arc = std::unique_ptr<TDialGaugeArc>(new TDialGaugeArc(m_widget, this));
    m_arc->OnChange = RepaintHandler();
    m_sections = std::unique_ptr<TDialGaugeSections>(new TDialGaugeSections(m_widget, this));
    m_sections->OnChange = RepaintHandler();

    // Runs only while the value has somewhere to go (SyncTimer): a gauge at
    // rest wakes nobody.
    m_timer = std::make_unique<TWindowTimer>();
    m_timer->SetInterval(AnimationInterval);
    m_timer->OnTimer = [this] { AnimationStep(); };

    m_needleType = ntPointer;

    if (m_designMode)
        ApplyStyle(4);

    UpdateDialRect();
    UpdateScaleTable();
}

TDialGaugeState::~TDialGaugeState()
{
    // Sections repaint their gauge when freed; nothing may reach the host now.
    m_destroying = true;
    m_timer->SetEnabled(false);
    m_arc.reset();
    m_digit.reset();
    m_outerCircle.reset();
    m_innerCircle.reset();
    m_font.reset();
    m_valueFont.reset();
    m_needle.reset();
    m_outerRim.reset();
    m_timer.reset();
    m_sections.reset();
}

TDialGaugeState *TDialGaugeState::Of(TDialGauge *gauge)
{
    return gauge ? &TDialGaugePrivate::Get(*gauge).state : nullptr;
}

const TDialGaugeState *TDialGaugeState::Of(const TDialGauge *gauge)
{
    return gauge ? &TDialGaugePrivate::Get(*gauge).state : nullptr;
}

// --- change path -----------------------------------------------------------

void TDialGaugeState::Changed(Repaint kind)
{
    if (m_destroying)
        return;
    if (m_batchDepth > 0) {
        m_batchRepaint = true;
        m_batchFace = m_batchFace || kind == Repaint::Face;
        return;
    }
    ++m_repaintRequests;
    m_host.RepaintRequested(kind);
}

void TDialGaugeState::SyncTimer()
{
    // A stopped timer that starts on a new target ticks one interval later,
    // as a running one would at the latest; every tick computes its step
    // from the state alone, so the values are the same either way. The
    // final snap onto the target is a tick of its own and still runs.
    const bool moving = m_animation && !m_designMode && m_loadingDepth == 0 && m_value != m_animationTarget;
    if (m_timer && !m_destroying)
        m_timer->SetEnabled(moving);
}

TNotifyEvent TDialGaugeState::RepaintHandler()
{
    return [this](QObject *) { Changed(Repaint::Face); };
}

void TDialGaugeState::RaiseValueChanged()
{
    // Both carry the value of this change, even if a listener sets another.
    const double value = m_value;
    // Assistive technology hears of a glide once, where it ends.
    const bool resting = m_value == m_animationTarget;
    m_host.ValueChanged(value);
    if (resting)
        m_host.ValueSettled(value);
}

// --- copying ---------------------------------------------------------------

void TDialGaugeState::Assign(const TDialGaugeState &other)
{
    if (&other == this)
        return;
    TBatch batch(*this);
    m_animationFactor = other.m_animationFactor;
    m_minimumValue = other.m_minimumValue;
    m_maximumValue = other.m_maximumValue;
    m_value = other.m_value;
    m_digit->Assign(other.m_digit.get());
    m_outerCircle->Assign(other.m_outerCircle.get());
    m_innerCircle->Assign(other.m_innerCircle.get());
    m_outerRim->Assign(other.m_outerRim.get());
    m_needle->Assign(other.m_needle.get());
    m_arc->Assign(other.m_arc.get());
    m_divisionCount = other.m_divisionCount;
    m_subDivisionCount = other.m_subDivisionCount;
    m_divisionColor = other.m_divisionColor;
    m_subDivisionColor = other.m_subDivisionColor;
    m_divisionWidth = other.m_divisionWidth;
    m_subDivisionWidth = other.m_subDivisionWidth;
    m_dialText = other.m_dialText;
    m_font->Assign(other.m_font.get());
    m_valueFont->Assign(other.m_valueFont.get());
    m_animation = other.m_animation;
    m_needleType = other.m_needleType;
    m_sections->Assign(other.m_sections.get());
    // The copy moves like its source: an old target of its own could lie
    // outside the copied range, and a stale scale would be a wrong picture.
    m_animationTarget = other.m_animationTarget;
    UpdateScaleTable();
    UpdateArcGeometry();
    SyncTimer();
    Changed(Repaint::Face);
}

void TDialGaugeState::CopyPicture(const TDialGaugeState &other)
{
    if (&other == this)
        return;
    TBatch batch(*this);
    Assign(other);
    m_valueFormat = other.m_valueFormat;
    m_tabStop = other.m_tabStop;
    m_hasFocus = other.m_hasFocus;
    m_dialLeft = other.m_dialLeft;
    m_dialTop = other.m_dialTop;
    m_dialWidth = other.m_dialWidth;
    m_dialHeight = other.m_dialHeight;
    m_dialRect = other.m_dialRect;
    m_arcRect = other.m_arcRect;
    m_thresholdBandStart = other.m_thresholdBandStart;
    m_thresholdBandSweep = other.m_thresholdBandSweep;
    *m_scaleTable = *other.m_scaleTable;
    Changed(Repaint::Face);
}

// --- properties --------------------------------------------------------------

void TDialGaugeState::SetAnimationFactor(int value)
{
    StoreFace(m_animationFactor, value);
}

void TDialGaugeState::SetMinimumValue(int value)
{
    if (value >= m_maximumValue)
        return;
    // No equality test: the same limit runs every step again.
    m_minimumValue = value;
    // In design mode nothing glides, so the value is pulled in directly.
    const bool glide = m_animation && !m_designMode;
    bool pulled = false;
    if (glide) {
        if (value > m_animationTarget)
            m_animationTarget = value;
        // The shown value never lies outside the scale, not even while it
        // glides in; listeners hear of it, as the target may equal the limit.
        const double inside = std::clamp<double>(m_value, m_minimumValue, m_maximumValue);
        pulled = inside != m_value;
        m_value = inside;
    } else {
        // Clamped on both sides: a glide frozen outside the range is pulled in too.
        m_value = std::clamp<double>(m_value, m_minimumValue, m_maximumValue);
        m_animationTarget = m_value;
    }
    TDialGaugeThreshold &threshold = *m_arc->Threshold();
    if (m_minimumValue > threshold.Center())
        threshold.PullCenter(m_minimumValue);
    UpdateScaleTable();
    UpdateArcGeometry();
    SyncTimer();
    Changed(Repaint::Face);
    if (!glide || pulled)
        RaiseValueChanged();
}

void TDialGaugeState::SetMaximumValue(int value)
{
    if (value <= m_minimumValue)
        return;
    m_maximumValue = value;
    const bool glide = m_animation && !m_designMode;
    bool pulled = false;
    if (glide) {
        if (value < m_animationTarget)
            m_animationTarget = value;
        // The shown value never lies outside the scale, not even while it
        // glides in; listeners hear of it, as the target may equal the limit.
        const double inside = std::clamp<double>(m_value, m_minimumValue, m_maximumValue);
        pulled = inside != m_value;
        m_value = inside;
    } else {
        // Clamped on both sides: a glide frozen outside the range is pulled in too.
        m_value = std::clamp<double>(m_value, m_minimumValue, m_maximumValue);
        m_animationTarget = m_value;
    }
    TDialGaugeThreshold &threshold = *m_arc->Threshold();
    if (m_maximumValue < threshold.Center())
        threshold.PullCenter(m_maximumValue);
    UpdateScaleTable();
    UpdateArcGeometry();
    SyncTimer();
    Changed(Repaint::Face);
    if (!glide || pulled)
        RaiseValueChanged();
}

void TDialGaugeState::SetValue(double value)
{
    // Not clamped: a value outside the scale leaves the needle where it is.
    if (std::isnan(value) || value < m_minimumValue || value > m_maximumValue)
        return;
    if (m_animation && !m_designMode && !IsLoading()) {
        m_animationTarget = value;
        SyncTimer();
        Changed(Repaint::ValueOnly);
        return;
    }
    m_value = value;
    m_animationTarget = value;
    SyncTimer();
    Changed(Repaint::ValueOnly);
    // Raised also when the value did not change.
    RaiseValueChanged();
}

void TDialGaugeState::SetDigit(const TDialGaugeDigit *value)
{
    AssignFace(m_digit, value);
}

void TDialGaugeState::SetOuterCircle(const TDialGaugeOuterCircle *value)
{
    AssignFace(m_outerCircle, value);
}

void TDialGaugeState::SetInnerCircle(const TDialGaugeInnerCircle *value)
{
    AssignFace(m_innerCircle, value);
}

void TDialGaugeState::SetOuterRim(const TDialGaugeOuterRim *value)
{
    AssignFace(m_outerRim, value);
}

void TDialGaugeState::SetNeedle(const TDialGaugeNeedle *value)
{
    AssignFace(m_needle, value);
}

void TDialGaugeState::SetArc(const TDialGaugeArc *value)
{
    if (!value)
        return;
    TBatch batch(*this);
    m_arc->Assign(value);
    Changed(Repaint::Face);
}

void TDialGaugeState::SetDivisionCount(int value)
{
    if (value < 2 || value > 24)
        return;
    m_divisionCount = value;
    UpdateScaleTable();
    Changed(Repaint::Face);
}

void TDialGaugeState::SetSubDivisionCount(int value)
{
    if (value < 1 || value > 10)
        return;
    m_subDivisionCount = value;
    UpdateScaleTable();
    Changed(Repaint::Face);
}

void TDialGaugeState::SetDivisionColor(TColor value)
{
    StoreFace(m_divisionColor, value);
}

void TDialGaugeState::SetSubDivisionColor(TColor value)
{
    StoreFace(m_subDivisionColor, value);
}

void TDialGaugeState::SetDivisionWidth(int value)
{
    StoreFace(m_divisionWidth, value);
}

void TDialGaugeState::SetSubDivisionWidth(int value)
{
    StoreFace(m_subDivisionWidth, value);
}

void TDialGaugeState::SetDialText(const QString &value)
{
    StoreFace(m_dialText, value);
}

void TDialGaugeState::SetFont(const TDialGaugeFont *value)
{
    AssignFace(m_font, value);
}

void TDialGaugeState::SetValueFont(const TDialGaugeFont *value)
{
    AssignFace(m_valueFont, value);
}

void TDialGaugeState::SetValueFormat(const QString &value)
{
    StoreFace(m_valueFormat, value);
}

void TDialGaugeState::SetAnimation(bool value)
{
    // Switching off freezes a glide where it is; switching on resumes it.
    if (m_animation == value)
        return;
    m_animation = value;
    SyncTimer();
    Changed(Repaint::Face);
    // A glide frozen on its way ends here for assistive technology.
    if (!value && m_value != m_animationTarget)
        m_host.ValueSettled(m_value);
}

QString TDialGaugeState::Version()
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(VersionNumber >> 24)
        .arg((VersionNumber >> 16) & 0xFF)
        .arg((VersionNumber >> 8) & 0xFF)
        .arg(VersionNumber & 0xFF);
}

void TDialGaugeState::SetNeedleType(TDialGaugeNeedleType value)
{
    StoreFace(m_needleType, value);
}

void TDialGaugeState::SetSections(const TDialGaugeSections *value)
{
    AssignFace(m_sections, value);
}

void TDialGaugeState::SetTabStop(bool value)
{
    StoreFace(m_tabStop, value);
}

// --- loading and design mode ----------------------------------------------

void TDialGaugeState::BeginLoading()
{
    ++m_loadingDepth;
}

void TDialGaugeState::EndLoading()
{
    if (m_loadingDepth == 0)
        return;
    if (--m_loadingDepth > 0)
        return;
    // Margins stay as they are; the next resize takes them from the size.
    UpdateDialRect();
    UpdateScaleTable();
    UpdateArcGeometry();
    SyncTimer();
}

void TDialGaugeState::SetDesignMode(bool value)
{
    m_designMode = value;
    SyncTimer();
}

// --- style presets -----------------------------------------------------------

void TDialGaugeState::ApplyStyle(quint8 preset)
{
    TBatch batch(*this);
    if (preset <= 9 && preset != 8) {
        const StylePreset &p = StylePresets[preset];
        m_arc->SetColor(p.arcAndBox);
        m_innerCircle->SetColor(p.innerCircle);
        m_outerCircle->SetColor(p.outerCircle);
        m_arc->Threshold()->SetColor(p.threshold);
        m_digit->SetBackGroundColor(p.arcAndBox);
        m_digit->SetColor(p.text);
        SetDivisionColor(p.text);
        SetSubDivisionColor(p.text);
        m_needle->SetColor(p.needle);
        m_needle->SetInnerCenterColor(p.innerCenter);
        if (preset != 0)
            m_needle->SetInnerCenterColorTo(p.innerCenter);
        m_needle->SetOuterCenterColor(p.outerCenter);
        m_needle->SetShineColor(p.shine);
        m_valueFont->SetColor(p.text);
    }
    m_font->SetColor(m_valueFont->Color());
}

// --- geometry ----------------------------------------------------------------

void TDialGaugeState::UpdateDialRect()
{
    m_dialWidth = Width() - 2 * m_dialLeft;
    m_dialHeight = Height() - 2 * m_dialTop;
    m_dialRect = QRectF(static_cast<float>(m_dialLeft), static_cast<float>(m_dialTop),
                        static_cast<float>(m_dialWidth), static_cast<float>(m_dialHeight));
}

QPointF TDialGaugeState::DialCenter() const
{
    return QPointF(m_dialLeft + m_dialWidth / 2.0, m_dialTop + m_dialHeight / 2.0);
}

int TDialGaugeState::ArcInset() const
{
    // In extended precision: at Width 50 this is Round(1.4999...) = 1, not 2.
    return RoundToInt(static_cast<long double>(Width()) * static_cast<long double>(m_arc->Width()));
}

void TDialGaugeState::UpdateArcGeometry()
{
    const long double inset = ArcInset();
    m_arcRect = QRectF(static_cast<float>(m_dialRect.x() + inset),
                       static_cast<float>(m_dialRect.y() + inset),
                       static_cast<float>(m_dialRect.width() - 2 * inset),
                       static_cast<float>(m_dialRect.height() - 2 * inset));

    const TDialGaugeThreshold &threshold = *m_arc->Threshold();
    const double centre = ValueToAnglePercent(threshold.Center());
    // Span is a percentage of SweepAngle; the product is formed in 64 bits.
    const long double band = static_cast<long double>(
        static_cast<qint64>(threshold.SweepAngle()) * threshold.Span());
    double start = static_cast<double>(centre - band / 200);
    if (m_arc->StartAngle() >= start)
        start = m_arc->StartAngle();
    double sweep = static_cast<double>(band / 100);
    if (start + sweep > m_arc->StopAngle())
        sweep = m_arc->StopAngle() - start;
    m_thresholdBandStart = start;
    m_thresholdBandSweep = sweep;
}

QPointF TDialGaugeState::ScaleCenter() const
{
    return QPointF(static_cast<double>(RoundHalfEven(m_dialWidth / 2.0L) + m_dialLeft),
                   static_cast<double>(RoundHalfEven(m_dialHeight / 2.0L) + m_dialTop));
}

int TDialGaugeState::ScaleInset() const
{
    // The double constant 0.01 widened: at Width 50 this is Round(0.50000000000000001) = 1.
    return RoundToInt(static_cast<long double>(Width()) * static_cast<long double>(0.01));
}

double TDialGaugeState::ScaleRadius() const
{
    const long double inset = ScaleInset();
    return static_cast<double>((m_dialWidth - inset) / 2 - 5 * inset);
}

double TDialGaugeState::MarkStep() const
{
    const long double sweep = static_cast<long double>(m_arc->StopAngle()) - m_arc->StartAngle();
    return DegreesToRadians(static_cast<double>(sweep / (m_divisionCount * (m_subDivisionCount + 1))));
}

int TDialGaugeState::ScaleMarkCount() const
{
    return m_divisionCount * (m_subDivisionCount + 2) + 1;
}

void TDialGaugeState::UpdateScaleTable()
{
    TScaleTable &table = *m_scaleTable;
    table.fill(ScaleMark{});

    const QPointF centre = ScaleCenter();
    const long double cx = centre.x();
    const long double cy = centre.y();
    const double radius = ScaleRadius();
    // Lengths follow the control's width, also in a non-square control.
    const long double w = Width();
    const double divisionInner = static_cast<double>(radius - w / 20);
    const double subDivisionInner = static_cast<double>(radius - w / 50);
    const double labelRadius = static_cast<double>(radius - w / 10);
    const double labelLift = static_cast<double>(w / 25);
    const double markStep = MarkStep();
    const long double labelStep =
        (static_cast<long double>(m_maximumValue) - m_minimumValue) / m_divisionCount;

    double a = DegreesToRadians(m_arc->StartAngle());
    double v = m_minimumValue;
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
        if (j == m_divisionCount)
            break;
        for (int k = 0; k <= m_subDivisionCount && i < ScaleTableSize; ++k) {
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

double TDialGaugeState::ValueToAngle(double v) const
{
    const long double start = m_arc->StartAngle();
    const long double sweep = static_cast<long double>(m_arc->StopAngle()) - start;
    const long double range = static_cast<long double>(m_maximumValue) - m_minimumValue;
    return static_cast<double>(start + sweep / range * (v - static_cast<long double>(m_minimumValue)));
}

double TDialGaugeState::ValueToAnglePercent(double v) const
{
    const long double range = static_cast<long double>(m_maximumValue) - m_minimumValue;
    const double p = static_cast<double>((v - static_cast<long double>(m_minimumValue)) * 100 / range);
    const long double start = m_arc->StartAngle();
    const long double sweep = static_cast<long double>(m_arc->StopAngle()) - start;
    return static_cast<double>(start + sweep * p / 100);
}

double TDialGaugeState::DegreesToRadians(double degrees)
{
    return static_cast<double>(degrees * 0.017453292519943295L);
}

double TDialGaugeState::NeedleLength() const
{
    const long double w = Width();
    return static_cast<double>(w / 2 - w * static_cast<long double>(0.12));
}

double TDialGaugeState::NeedleSideRadius() const
{
    return static_cast<double>(static_cast<long double>(Width()) * static_cast<long double>(0.09));
}

TArrayOfPointF TDialGaugeState::NeedleOutline(double v) const
{
    const double t = ValueToAnglePercent(v);
    const QPointF c = DialCenter();
    const long double cx = c.x();
    const long double cy = c.y();
    const long double length = NeedleLength();
    const long double side = NeedleSideRadius();
    // A glide asks for each outline three times (the repaint region, from
    // and to, and the paint): the last few are kept per thread, by every
    // number they are made from, compared bit for bit.
    struct TKeptOutline
    {
        std::array<double, 5> key{};
        TArrayOfPointF outline;
    };
    thread_local std::array<TKeptOutline, 4> kept;
    thread_local std::size_t next = 0;
    const std::array<double, 5> key{t, c.x(), c.y(), static_cast<double>(length), static_cast<double>(side)};
    for (const TKeptOutline &entry : kept) {
        if (!entry.outline.isEmpty() && std::memcmp(entry.key.data(), key.data(), sizeof key) == 0)
            return entry.outline;
    }
    auto at = [&](long double radius, double radians) {
        return SinglePoint(cx + radius * std::cos(static_cast<long double>(radians)),
                           cy + radius * std::sin(static_cast<long double>(radians)));
    };
    TArrayOfPointF outline{
        at(length, DegreesToRadians(t)),
        at(side, DegreesToRadians(t + 20)),
        SinglePoint(cx, cy),
        at(side, DegreesToRadians(t - 20)),
        // 0.02 rad behind the tip gives the tip a little width.
        at(length, DegreesToRadians(t) - 0.02),
    };
    kept[next] = {key, outline};
    next = (next + 1) % kept.size();
    return outline;
}

QRectF TDialGaugeState::SectionOuterRect(const TDialGaugeSection &section) const
{
    const double m = section.OuterMargin();
    return QRectF(m, m, Width() - 2 * m, Height() - 2 * m);
}

QRectF TDialGaugeState::SectionInnerRect(const TDialGaugeSection &section) const
{
    const double r = section.InnerMargin();
    return QRectF(Width() / 2.0 - r, Height() / 2.0 - r, 2 * r, 2 * r);
}

// --- value animation and input -----------------------------------------------

void TDialGaugeState::AnimationStep()
{
    if (!m_animation || IsLoading() || m_designMode) {
        SyncTimer();
        return;
    }
    // A factor of 0 has no step; it acts as 1 (the first tick covers the distance).
    const int factor = m_animationFactor == 0 ? 1 : m_animationFactor;
    const double step = static_cast<double>(
        std::fabs(static_cast<long double>(m_animationTarget) - m_value) / factor);
    double current = m_value;
    if (StepToward(current, m_animationTarget, AnimationTolerance, step)) {
        m_value = current;
        Changed(Repaint::ValueOnly);
        RaiseValueChanged();
    } else {
        // Resting or the final snap: silent, no repaint.
        const bool snap = m_value != m_animationTarget;
        m_value = m_animationTarget;
        SyncTimer();
        if (snap)
            m_host.ValueSettled(m_value);
    }
}

bool TDialGaugeState::StepToward(double &current, double target, double tolerance, double step)
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

void TDialGaugeState::PointToValue(int x, int y)
{
    const int n = m_divisionCount * (m_subDivisionCount + 1);
    const double step = static_cast<double>(
        (static_cast<long double>(m_maximumValue) - m_minimumValue) / n);
    const QPointF centre = SinglePoint(Width() / 2.0L, Height() / 2.0L);
    double v = m_minimumValue;
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

bool TDialGaugeState::PointInPolygon(const TArrayOfPointF &points, int x, int y)
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
bool TDialGaugeState::KeyPressed(int key)
{
    const double page = static_cast<double>(
        (static_cast<long double>(m_maximumValue) - m_minimumValue) / m_divisionCount);
    switch (key) {
    case Qt::Key_PageUp: SetValue(m_value + page); return true;
    case Qt::Key_PageDown: SetValue(m_value - page); return true;
    case Qt::Key_End: SetValue(m_maximumValue); return true;
    case Qt::Key_Home: SetValue(m_minimumValue); return true;
    case Qt::Key_Left: SetValue(m_value - 1); return true;
    case Qt::Key_Up: SetValue(m_value + 1); return true;
    case Qt::Key_Right: SetValue(m_value + 1); return true;
    case Qt::Key_Down: SetValue(m_value - 1); return true;
    default: return false;
    }
}

void TDialGaugeState::Resized()
{
    m_dialLeft = Width() / 50;
    m_dialTop = Height() / 50;
    UpdateDialRect();
    UpdateScaleTable();
    UpdateArcGeometry();
    Changed(Repaint::Face);
}

void TDialGaugeState::SetFocus(bool value)
{
    m_hasFocus = value;
    Changed(Repaint::Face);
}
