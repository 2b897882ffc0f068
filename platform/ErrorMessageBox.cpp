// SPDX-License-Identifier: MIT
#include "platform/ErrorMessageBox.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>

namespace {

// Room for a window manager's title bar and borders, which are unknown
// until the box is on the screen.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;
// A message reads best in lines of about this width, as Qt's own boxes do.
constexpr int kPreferredTextWidth = 500;

QString withoutMnemonic(const QString &caption)
{
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        plain += caption.at(i);
    }
    return plain;
}

} // namespace

ErrorMessageBox::ErrorMessageBox(const QString &caption, const QString &text, QWidget *owner)
    : QMessageBox(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner,
                  Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                      | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint
                      | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("ErrorBox"));
    setTextFormat(Qt::PlainText);

    // Qt's label keeps the message (text() reads it) but stays hidden; the
    // box shows a label holding the fitted lines in its place.
    auto *label = findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!label || !layout())
        return; // another Qt's inner layout: the box stays Qt's own

    m_shown = new QLabel(this);
    m_shown->setObjectName(QStringLiteral("ErrorBoxText"));
    m_shown->setTextFormat(Qt::PlainText);
    m_shown->setWordWrap(false);
    m_shown->setAlignment(label->alignment());
    m_shown->setTextInteractionFlags(label->textInteractionFlags());
    m_shown->setContentsMargins(label->contentsMargins());
    delete layout()->replaceWidget(label, m_shown);
    label->hide();
    fitToScreen();
}

QString ErrorMessageBox::shownText() const
{
    return m_shown ? m_shown->text() : text();
}

QString ErrorMessageBox::copyText() const
{
    // The reference platform's clipboard layout for a message box.
    const QString rule = QStringLiteral("---------------------------\n");
    QString buttons;
    for (const QAbstractButton *button : this->buttons())
        buttons += withoutMnemonic(button->text()) + QStringLiteral("   ");
    return rule + windowTitle() + QLatin1Char('\n') + rule + text() + QLatin1Char('\n') + rule
           + buttons + QLatin1Char('\n') + rule;
}

QStringList ErrorMessageBox::fitLines(const QString &text, const QFont &font, int maxWidth,
                                      int maxLines)
{
    maxWidth = std::max(maxWidth, 1);
    maxLines = std::max(maxLines, 1);
    QStringList lines;
    // Explicit line breaks stay; each paragraph wraps on its own.
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        if (paragraph.isEmpty()) {
            lines << QString();
            continue;
        }
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(maxWidth);
            lines << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
    }
    if (lines.size() <= maxLines)
        return lines;
    if (maxLines < 3) {
        // No room for a head, a mark and a tail: one line, cut in its middle.
        const QFontMetrics metrics(font);
        return {metrics.elidedText(lines.first() + lines.last(), Qt::ElideMiddle, maxWidth)};
    }
    const qsizetype head = (maxLines - 1) / 2;
    const qsizetype tail = maxLines - 1 - head;
    QStringList fitted = lines.mid(0, head);
    fitted << QString(QChar(0x2026));
    fitted << lines.mid(lines.size() - tail);
    return fitted;
}

void ErrorMessageBox::fitToScreen()
{
    if (!m_shown)
        return;
    // What the box needs around its text: icon, margins and the button row.
    m_shown->setText(QStringLiteral("M"));
    layout()->activate();
    const QSize chrome = layout()->totalMinimumSize() - m_shown->minimumSizeHint();
    const QSize textMargins = m_shown->minimumSizeHint()
                              - QFontMetrics(m_shown->font()).size(0, QStringLiteral("M"));

    const QRect available = screen()->availableGeometry();
    const int maxWidth = std::min(kPreferredTextWidth, available.width() - kFrameWidth
                                                           - chrome.width() - textMargins.width());
    const int maxHeight =
        available.height() - kFrameHeight - chrome.height() - textMargins.height();
    const int lineHeight = QFontMetrics(m_shown->font()).lineSpacing();
    const QStringList lines = fitLines(text(), m_shown->font(), maxWidth, maxHeight / lineHeight);
    m_shown->setText(lines.join(QLatin1Char('\n')));
}

void ErrorMessageBox::changeEvent(QEvent *event)
{
    QMessageBox::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        // Restored from the event loop: the window system is still busy
        // minimising it while this runs.
        QTimer::singleShot(0, this, [this] {
            if (!isVisible() || !isMinimized())
                return;
            setWindowState(windowState() & ~Qt::WindowMinimized);
            activateWindow();
        });
    }
}

void ErrorMessageBox::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(copyText());
        event->accept();
        return;
    }
    QMessageBox::keyPressEvent(event);
}

void ErrorMessageBox::showEvent(QShowEvent *event)
{
    // The window may now be on another screen than it was built for.
    fitToScreen();
    QMessageBox::showEvent(event);
    // Without a window manager nothing would give the box the keyboard.
    activateWindow();
}
