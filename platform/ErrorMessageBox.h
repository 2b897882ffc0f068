// SPDX-License-Identifier: MIT
#pragma once

#include <QMessageBox>
#include <QSize>

class QLabel;

// The error box's window: a critical QMessageBox with one OK button that
// - never grows past the available screen area: the text wraps at word
//   boundaries, inside a word where it must, and lines that cannot be shown
//   give way to one "…" line in the middle, while text() stays the message;
// - copies its caption and whole text with Ctrl+C, as the reference
//   platform's message box does (Qt does this only on Windows);
// - asks for no minimise or maximise button, and comes straight back where
//   a window manager minimises it all the same (openbox does), since a
//   hidden modal box would leave the application unusable;
// - takes the keyboard when shown, also where no window manager gives it.
class ErrorMessageBox : public QMessageBox
{
    Q_OBJECT
public:
    ErrorMessageBox(const QString &caption, const QString &text, QWidget *owner);

    // The text as the box shows it: the message, wrapped and, where needed,
    // shortened in the middle.
    QString shownText() const;

    // What Ctrl+C puts on the clipboard.
    QString copyText() const;

    // The message wrapped to lines at most maxWidth pixels wide in font and,
    // beyond maxLines, shortened to maxLines lines with "…" as the middle one.
    static QStringList fitLines(const QString &text, const QFont &font, int maxWidth,
                                int maxLines);

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void fitToScreen();

    QLabel *m_shown = nullptr;
};
