#include "gauge/DialGaugeFont.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// a x b / c rounded half away from zero, as the window system's MulDiv;
// saturates instead of overflowing.
int MulDiv(int a, int b, int c)
{
    const long double q = static_cast<long double>(a) * b / c;
    const long double r = std::round(q);
    if (r > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (r < std::numeric_limits<int>::min() + 1)
        return std::numeric_limits<int>::min() + 1;
    return static_cast<int>(r);
}

} // namespace

TDialGaugeFont::TDialGaugeFont(TDialGauge *owner) : TDialGaugePersistent(owner) {}

void TDialGaugeFont::SetColor(TColor value)
{
    if (Store(m_color, value))
        Changed();
}

int TDialGaugeFont::Height() const
{
    return -MulDiv(m_size, PixelsPerInch, 72);
}

void TDialGaugeFont::SetHeight(int value)
{
    SetSize(-MulDiv(value, 72, PixelsPerInch));
}

void TDialGaugeFont::SetName(const QString &value)
{
    if (Store(m_name, value))
        Changed();
}

void TDialGaugeFont::SetSize(int value)
{
    if (Store(m_size, value))
        Changed();
}

void TDialGaugeFont::SetStyle(TFontStyles value)
{
    if (Store(m_style, value))
        Changed();
}

QFont TDialGaugeFont::ToQFont() const
{
    QFont font(m_name);
    if (m_size > 0)
        font.setPointSize(m_size);
    font.setBold(m_style.testFlag(fsBold));
    font.setItalic(m_style.testFlag(fsItalic));
    font.setUnderline(m_style.testFlag(fsUnderline));
    font.setStrikeOut(m_style.testFlag(fsStrikeOut));
    return font;
}

void TDialGaugeFont::AssignQFont(const QFont &font)
{
    int size = font.pointSize();
    if (size <= 0 && font.pixelSize() > 0)
        size = MulDiv(font.pixelSize(), 72, PixelsPerInch);
    TFontStyles style;
    style.setFlag(fsBold, font.bold());
    style.setFlag(fsItalic, font.italic());
    style.setFlag(fsUnderline, font.underline());
    style.setFlag(fsStrikeOut, font.strikeOut());

    bool changed = Store(m_name, font.family());
    if (size > 0)
        changed = Store(m_size, size) || changed;
    changed = Store(m_style, style) || changed;
    if (changed)
        Changed();
}

void TDialGaugeFont::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeFont *>(source);
    if (!other)
        return;
    m_color = other->m_color;
    m_name = other->m_name;
    m_size = other->m_size;
    m_style = other->m_style;
    Changed();
}
