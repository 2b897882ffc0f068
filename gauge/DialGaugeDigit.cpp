// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeDigit.h"

class TDialGaugeDigitPrivate
{
public:
    TColor m_color = 0x00FC7C;
    TColor m_backGroundColor = clGray;
    int m_backGroundOpacity = 30;
    bool m_visible = true;
};

TDialGaugeDigit::TDialGaugeDigit(TDialGauge *owner)
    : TDialGaugePersistent(owner), d(std::make_unique<TDialGaugeDigitPrivate>())
{
}

TDialGaugeDigit::~TDialGaugeDigit() = default;

void TDialGaugeDigit::SetColor(TColor value)
{
    if (Store(d->m_color, value))
        Changed();
}

void TDialGaugeDigit::SetBackGroundColor(TColor value)
{
    if (Store(d->m_backGroundColor, value))
        Changed();
}

void TDialGaugeDigit::SetBackGroundOpacity(int value)
{
    if (Store(d->m_backGroundOpacity, value))
        Changed();
}

void TDialGaugeDigit::SetVisible(bool value)
{
    if (Store(d->m_visible, value))
        Changed();
}

void TDialGaugeDigit::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeDigit *>(source);
    if (!other)
        return;
    d->m_color = other->d->m_color;
    d->m_backGroundColor = other->d->m_backGroundColor;
    d->m_backGroundOpacity = other->d->m_backGroundOpacity;
    d->m_visible = other->d->m_visible;
    Changed();
}

TColor TDialGaugeDigit::Color() const
{
    return d->m_color;
}

TColor TDialGaugeDigit::BackGroundColor() const
{
    return d->m_backGroundColor;
}

int TDialGaugeDigit::BackGroundOpacity() const
{
    return d->m_backGroundOpacity;
}

bool TDialGaugeDigit::Visible() const
{
    return d->m_visible;
}
