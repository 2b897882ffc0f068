// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

// Moves a frameless top-level window with the mouse as if its title bar were
// dragged, from a button press until that button is released.
class WindowDrag : public QObject
{
    Q_OBJECT
public:
    // Starts the move of window; pressGlobal is where the button went down.
    // Any earlier mouse grab is released first. The window manager does the
    // move where it can; otherwise the window follows the mouse deltas.
    static void start(QWidget *window, const QPoint &pressGlobal);

    // True while a move without the window manager's help is running.
    static bool isFollowing();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WindowDrag(QWidget *window, const QPoint &pressGlobal);
    void finish();

    QPointer<QWidget> m_window;
    QPoint m_pressGlobal;
    QPoint m_startPos;
};
