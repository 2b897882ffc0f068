// SPDX-License-Identifier: MIT
#include "platform/AutoSelectEdit.h"

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>

#include <limits>

namespace {

// A pasted text can be any length; a tooltip wider than the screen helps nobody.
constexpr qsizetype kToolTipLength = 300;

// QLineEdit keeps this many pixels free on either side of its text.
constexpr int kMargin = 2;

QString toolTipFor(const QString &text)
{
    QString shown = text;
    if (shown.size() > kToolTipLength) {
        const qsizetype half = kToolTipLength / 2;
        shown = text.left(half) + QChar(0x2026) + text.right(half);
    }
    // Rich text so that the tooltip wraps, escaped so that the text is shown as typed.
    return QStringLiteral("<p>") + shown.toHtmlEscaped() + QStringLiteral("</p>");
}

} // namespace

AutoSelectEdit::AutoSelectEdit(QWidget *parent) : QLineEdit(parent)
{
    // QLineEdit cuts typed and pasted text at 32767 characters without a
    // word; the field keeps all of it, so that what the user gave is what the
    // calculation reads and what an error message quotes.
    setMaxLength(std::numeric_limits<int>::max());
}

void AutoSelectEdit::showText(const QString &text)
{
    setText(text);
    setCursorPosition(0);
}

void AutoSelectEdit::focusSelected()
{
    setFocus(Qt::OtherFocusReason);
    if (hasFocus())
        selectAll();
}

QRect AutoSelectEdit::textArea() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    QRect area = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    area = area.marginsRemoved(textMargins());
    return area.adjusted(kMargin, 0, -kMargin, 0);
}

bool AutoSelectEdit::textFits() const
{
    // QLineEdit starts to scroll when the text plus its one-pixel caret
    // column is wider than the area.
    const int used = qRound(QFontMetricsF(font()).horizontalAdvance(displayText())) + 1;
    return used <= textArea().width();
}

bool AutoSelectEdit::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        if (textFits()) {
            QToolTip::hideText();
        } else {
            const auto *help = static_cast<QHelpEvent *>(event);
            QToolTip::showText(help->globalPos(), toolTipFor(displayText()), this, rect());
        }
        return true;
    }
    return QLineEdit::event(event);
}

void AutoSelectEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    switch (event->reason()) {
    case Qt::MouseFocusReason: // the click places the caret
    case Qt::PopupFocusReason: // back from the field's own context menu
        break;
    default:
        selectAll();
        break;
    }
}

void AutoSelectEdit::keyPressEvent(QKeyEvent *event)
{
    // Ctrl+Alt is AltGr on some keyboards and types characters.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier)
        && !event->text().isEmpty() && event->text().at(0).isPrint()) {
        event->ignore();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void AutoSelectEdit::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    // With the caret at the start QLineEdit does not scroll, so a text that
    // does not fit has lost its end: say so where the digits stop.
    if (cursorPosition() != 0 || hasSelectedText() || textFits())
        return;
    const QString ellipsis(QChar(0x2026));
    const QRect area = textArea();
    const int width = QFontMetrics(font()).horizontalAdvance(ellipsis) + 2;
    // Over the margin too: QLineEdit clips its text only at the frame.
    const QRect mark(area.right() + 1 - width, area.top(), width + kMargin, area.height());
    QPainter painter(this);
    painter.fillRect(mark, palette().brush(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(mark.adjusted(0, 0, -kMargin, 0), Qt::AlignRight | Qt::AlignVCenter,
                     ellipsis);
}
