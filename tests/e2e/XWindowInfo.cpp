// SPDX-License-Identifier: MIT
#include "XWindowInfo.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// Reads a whole 32-bit property; the caller frees data with XFree.
bool readProperty(Display *display, Window window, const char *name, Atom *type,
                  unsigned long *count, unsigned char **data)
{
    const Atom property = XInternAtom(display, name, True);
    if (property == None)
        return false;
    int format = 0;
    unsigned long remaining = 0;
    *data = nullptr;
    const int status = XGetWindowProperty(display, window, property, 0, 1024, False,
                                          AnyPropertyType, type, &format, count, &remaining,
                                          data);
    if (status != Success || !*data || format != 32) {
        if (*data)
            XFree(*data);
        *data = nullptr;
        return false;
    }
    return true;
}

} // namespace

XWindowInfo::XWindowInfo() : m_display(XOpenDisplay(nullptr)) {}

XWindowInfo::~XWindowInfo()
{
    if (m_display)
        XCloseDisplay(m_display);
}

bool XWindowInfo::isOpen() const
{
    return m_display != nullptr;
}

quint64 XWindowInfo::inputFocus() const
{
    if (!m_display)
        return 0;
    Window focus = None;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    return focus;
}

QPoint XWindowInfo::screenPosition(quint64 window) const
{
    if (!m_display)
        return {};
    int x = 0, y = 0;
    Window child = None;
    XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
    return {x, y};
}

bool XWindowInfo::hasWindowManager() const
{
    if (!m_display)
        return false;
    Atom type = None;
    unsigned long count = 0;
    unsigned char *data = nullptr;
    if (!readProperty(m_display, DefaultRootWindow(m_display), "_NET_SUPPORTING_WM_CHECK", &type,
                      &count, &data))
        return false;
    const bool found = type == XA_WINDOW && count == 1;
    XFree(data);
    return found;
}

void XWindowInfo::minimise(quint64 window) const
{
    if (!m_display)
        return;
    XIconifyWindow(m_display, window, DefaultScreen(m_display));
    XSync(m_display, False);
}

QStringList XWindowInfo::atomNames(quint64 window, const char *property) const
{
    QStringList names;
    Atom type = None;
    unsigned long count = 0;
    unsigned char *data = nullptr;
    if (!m_display || !readProperty(m_display, window, property, &type, &count, &data))
        return names;
    // 32-bit properties arrive as longs.
    const auto *atoms = reinterpret_cast<const Atom *>(data);
    for (unsigned long i = 0; i < count; ++i) {
        if (char *name = XGetAtomName(m_display, atoms[i])) {
            names << QString::fromLatin1(name);
            XFree(name);
        }
    }
    XFree(data);
    return names;
}

QList<long> XWindowInfo::numbers(quint64 window, const char *property) const
{
    QList<long> values;
    Atom type = None;
    unsigned long count = 0;
    unsigned char *data = nullptr;
    if (!m_display || !readProperty(m_display, window, property, &type, &count, &data))
        return values;
    const auto *longs = reinterpret_cast<const long *>(data);
    for (unsigned long i = 0; i < count; ++i)
        values << longs[i];
    XFree(data);
    return values;
}
