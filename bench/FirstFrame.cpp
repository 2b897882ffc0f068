// SPDX-License-Identifier: MIT
#include "bench/FirstFrame.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

FirstFrame::FirstFrame(QWidget &window, QWidget &watched) : m_window(window), m_watched(watched)
{
    m_watched.installEventFilter(this);
    // The native window exists once the widget is created.
    m_window.winId();
    m_window.windowHandle()->installEventFilter(this);
}

bool FirstFrame::eventFilter(QObject *object, QEvent *event)
{
    if (object == &m_watched && event->type() == QEvent::Paint)
        ++m_paints;
    // Seen before the window handles it; the check runs after.
    if (object == m_window.windowHandle() && event->type() == QEvent::Expose)
        QMetaObject::invokeMethod(this, &FirstFrame::check, Qt::QueuedConnection);
    return false;
}

void FirstFrame::check()
{
    if (!m_window.windowHandle()->isExposed() || m_paints == 0)
        return;
    std::fflush(stdout);
    std::_Exit(0);
}
