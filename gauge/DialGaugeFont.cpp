// SPDX-License-Identifier: MIT
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

class TDialGaugeFontPrivate
{
public:
    TColor m_color = clWindowText;
    QString m_name = QStringLiteral("Tahoma");
    int m_size = 8;
    TFontStyles m_style;
};

TDialGaugeFont::TDialGaugeFont(TDialGauge *owner)
    : TDialGaugePersistent(owner), d(std::make_unique<TDialGaugeFontPrivate>())
{
}

TDialGaugeFont::~TDialGaugeFont() = default;

void TDialGaugeFont::SetColor(TColor value)
{
    if (Store(d->m_color, value))
        Changed();
}

int TDialGaugeFont::Height() const
{
    return -MulDiv(d->m_size, PixelsPerInch, 72);
}

void TDialGaugeFont::SetHeight(int value)
{
    SetSize(-MulDiv(value, 72, PixelsPerInch));
}

void TDialGaugeFont::SetName(const QString &value)
{
    if (Store(d->m_name, value))
        Changed();
}

void TDialGaugeFont::SetSize(int value)
{
    if (Store(d->m_size, value))
        Changed();
}

void TDialGaugeFont::SetStyle(TFontStyles value)
{
    if (Store(d->m_style, value))
        Changed();
}

QFont TDialGaugeFont::ToQFont() const
{
    QFont font(d->m_name);
    if (d->m_size > 0)
        font.setPointSize(d->m_size);
    font.setBold(d->m_style.testFlag(fsBold));
    font.setItalic(d->m_style.testFlag(fsItalic));
    font.setUnderline(d->m_style.testFlag(fsUnderline));
    font.setStrikeOut(d->m_style.testFlag(fsStrikeOut));
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

    bool changed = Store(d->m_name, font.family());
    if (size > 0)
        changed = Store(d->m_size, size) || changed;
    changed = Store(d->m_style, style) || changed;
    if (changed)
        Changed();
}

void TDialGaugeFont::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeFont *>(source);
    if (!other)
        return;
    d->m_color = other->d->m_color;
    d->m_name = other->d->m_name;
    d->m_size = other->d->m_size;
    d->m_style = other->d->m_style;
    Changed();
}

TColor TDialGaugeFont::Color() const
{
    return d->m_color;
}

QString TDialGaugeFont::Name() const
{
    return d->m_name;
}

int TDialGaugeFont::Size() const
{
    return d->m_size;
}

TFontStyles TDialGaugeFont::Style() const
{
    return d->m_style;
}
