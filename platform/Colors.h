// SPDX-License-Identifier: MIT
#pragma once

#include <QRgb>
#include <QtGlobal>

#include <DialGauge/DialGaugeExport.h>

// Window-system colour value: 0x00BBGGRR (low byte red). A negative value
// (high byte 0xFF) names a system colour by the index in its low byte and is
// resolved against the application palette each time it is used.
using TColor = qint32;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clGray = 0x808080;

constexpr TColor systemColor(int index) { return TColor(0xFF000000u | quint32(index)); }
constexpr TColor clScrollBar = systemColor(0);
constexpr TColor clBackground = systemColor(1);
constexpr TColor clActiveCaption = systemColor(2);
constexpr TColor clWindow = systemColor(5);
constexpr TColor clWindowText = systemColor(8);
constexpr TColor clHighlight = systemColor(13);
constexpr TColor clHighlightText = systemColor(14);
constexpr TColor clBtnFace = systemColor(15);
constexpr TColor clBtnShadow = systemColor(16);
constexpr TColor clGrayText = systemColor(17);
constexpr TColor clBtnText = systemColor(18);
constexpr TColor clBtnHighlight = systemColor(20);

constexpr bool isSystemColor(TColor c) { return c < 0; }

// 0xFFRRGGBB for a colour value; system colours come from the current
// application palette, so a palette change shows at the next use.
DIALGAUGE_EXPORT QRgb ColorToRgb(TColor color);
