// SPDX-License-Identifier: MIT
#include "platform/Colors.h"

#include <QGuiApplication>
#include <QPalette>

#include "platform/ThreadPalette.h"

namespace {

QPalette::ColorRole roleForSystemIndex(int index)
{
    switch (index) {
    case 5: return QPalette::Base;             // window background
    case 8: return QPalette::WindowText;
    case 13: return QPalette::Highlight;
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button;           // button face
    case 16: return QPalette::Dark;             // button shadow
    case 17: return QPalette::PlaceholderText;  // grey text
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;            // button highlight
    case 1: case 2: case 3: return QPalette::Window;
    default: return QPalette::Window;
    }
}

} // namespace

QRgb ColorToRgb(TColor color)
{
    if (isSystemColor(color)) {
        const QPalette *own = TThreadPalette::Current();
        const QPalette palette = own ? *own : QGuiApplication::palette();
        return palette.color(QPalette::Active, roleForSystemIndex(color & 0xFF)).rgb() | 0xFF000000u;
    }
    const quint32 v = quint32(color);
    return qRgb(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}
