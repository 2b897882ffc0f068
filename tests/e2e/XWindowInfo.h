// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QPoint>
#include <QStringList>

// What the X server knows about windows, read for the end-to-end tests: the
// keyboard focus and the properties that a window manager and Qt set. The X
// headers stay in the source file: their macros clash with Qt's names.
class XWindowInfo
{
public:
    XWindowInfo();
    ~XWindowInfo();
    XWindowInfo(const XWindowInfo &) = delete;
    XWindowInfo &operator=(const XWindowInfo &) = delete;

    bool isOpen() const;

    // The window holding the X keyboard focus; 0 for none, 1 for the
    // pointer root.
    quint64 inputFocus() const;

    // Where the X server has the window's top left corner on the screen.
    // Qt's own idea can lag behind under a reparenting window manager.
    QPoint screenPosition(quint64 window) const;

    // True once an EWMH window manager runs (the root names its check window).
    bool hasWindowManager() const;

    // Asks the window manager to minimise the window, as its title bar
    // button does; nothing happens without one.
    void minimise(quint64 window) const;

    // A property holding atoms (_NET_WM_ALLOWED_ACTIONS), as their names.
    QStringList atomNames(quint64 window, const char *property) const;

    // A property holding 32-bit numbers (_MOTIF_WM_HINTS); empty if unset.
    QList<long> numbers(quint64 window, const char *property) const;

private:
    struct _XDisplay *m_display = nullptr;
};
