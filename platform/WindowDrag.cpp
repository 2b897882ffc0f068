// SPDX-License-Identifier: MIT
#include "platform/WindowDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {
WindowDrag *g_active = nullptr;
}

void WindowDrag::start(QWidget *window, const QPoint &pressGlobal)
{
    if (!window)
        return;
    window = window->window();
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (g_active)
        g_active->finish();
    if (QWindow *handle = window->windowHandle(); handle && handle->startSystemMove())
        return;
    // No window manager to ask (bare X server, offscreen): follow the mouse.
    g_active = new WindowDrag(window, pressGlobal);
    qApp->installEventFilter(g_active);
}

bool WindowDrag::isFollowing()
{
    return g_active != nullptr;
}

WindowDrag::WindowDrag(QWidget *window, const QPoint &pressGlobal)
    : QObject(qApp), m_window(window), m_pressGlobal(pressGlobal), m_startPos(window->pos())
{
}

void WindowDrag::finish()
{
    if (g_active == this)
        g_active = nullptr;
    qApp->removeEventFilter(this);
    deleteLater();
}

bool WindowDrag::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        if (!watched->isWidgetType())
            break;
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_window || mouse->buttons() == Qt::NoButton) {
            // The release went elsewhere (another application took it).
            finish();
            break;
        }
        m_window->move(m_startPos + (mouse->globalPosition().toPoint() - m_pressGlobal));
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!watched->isWidgetType())
            break;
        finish();
        return true;
    default:
        break;
    }
    return false;
}
