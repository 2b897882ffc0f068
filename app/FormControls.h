// SPDX-License-Identifier: MIT
#pragma once

#include <QPalette>
#include <QRect>
#include <QString>
#include <QStringList>

#include "platform/Colors.h"

class QFont;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;
class AutoSelectEdit;

// Builders for the controls both windows are made of, so that a control's
// kind, font and colours are set the same way wherever it appears. Every
// control gets its objectName, its parent and its exact geometry.
namespace FormControls {

// Window-system colours used by the layouts (0x00BBGGRR).
constexpr TColor clFrameBlue = 16756318; // 94, 174, 255
constexpr TColor clLabelBlue = 16744448; // 0, 128, 255

// A font by family and character height in pixels (the layouts' negative
// heights), as designed at 96 pixels per inch.
QFont font(const QString &family, int pixelHeight, bool bold = false);
QFont sansSerif(bool bold = false); // "MS Sans Serif", 11 pixels

// Sets a colour role in every colour group, the disabled one included.
void setColour(QWidget *widget, QPalette::ColorRole role, TColor colour);

// White rectangle with a 1-pixel frame: a window's background and border.
QFrame *shape(QWidget *parent, const QString &name, const QRect &geometry);

// The title-strip picture stretched over geometry.
QLabel *image(QWidget *parent, const QString &name, const QRect &geometry);

// A transparent label; alignment Qt::AlignLeft or Qt::AlignHCenter.
QLabel *label(QWidget *parent, const QString &name, const QRect &geometry, const QString &text,
              Qt::Alignment alignment = Qt::AlignLeft);

// Read-only text that never takes focus: centred lines, no border, drawn in
// its parent's font and colours although disabled.
QLabel *staticText(QWidget *parent, const QString &name, const QRect &geometry,
                   const QStringList &lines);

// An auto-selecting edit field showing the start of text.
AutoSelectEdit *edit(QWidget *parent, const QString &name, const QRect &geometry,
                     const QString &text);

// Enter on a focused button presses it.
QPushButton *button(QWidget *parent, const QString &name, const QRect &geometry,
                    const QString &caption);

} // namespace FormControls
