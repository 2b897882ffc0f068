// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <utility>

class QWidget;

#include "platform/SysErrors.h"

// The application's top-level error report: a modal box with a stop icon, one
// OK button, the application title as caption and the message (with the
// full-stop rule) as text. No exception ever travels through Qt: handlers run
// their bodies inside guard(), paint code that must not open a window posts.
class ErrorBox
{
public:
    // Caption of every error box; set once at start-up from the executable name.
    static void setTitle(const QString &title);
    static QString title();

    // The window that owns a box raised while no window is active (the
    // main window); none by default.
    static void setOwner(QWidget *window);
    static QWidget *owner();

    // The message with "." appended when it is not empty and its last
    // character sorts after ".".
    static QString textFor(const QString &message);

    // Shows the box now (modal) unless the error is a silent EAbort.
    static void show(const Exception &error);
    // Shows the box from the event loop, after the current handler (paint) ends.
    static void post(const Exception &error);

    // Runs an event handler's body; an escaping system error ends it and is shown.
    template<class Handler>
    static void guard(Handler &&handler)
    {
        try {
            std::forward<Handler>(handler)();
        } catch (const Exception &error) {
            show(error);
        }
    }
};
