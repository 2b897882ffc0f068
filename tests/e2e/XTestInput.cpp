// SPDX-License-Identifier: MIT
#include "XTestInput.h"

#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

KeySym keysymOf(XTestInput::Key key)
{
    switch (key) {
    case XTestInput::Return: return XK_Return;
    case XTestInput::Tab: return XK_Tab;
    case XTestInput::Alt: return XK_Alt_L;
    case XTestInput::Control: return XK_Control_L;
    case XTestInput::Shift: return XK_Shift_L;
    }
    return NoSymbol;
}

} // namespace

XTestInput::XTestInput() : m_display(XOpenDisplay(nullptr))
{
    int event = 0, error = 0, major = 0, minor = 0;
    if (m_display && !XTestQueryExtension(m_display, &event, &error, &major, &minor)) {
        XCloseDisplay(m_display);
        m_display = nullptr;
    }
}

XTestInput::~XTestInput()
{
    if (m_display)
        XCloseDisplay(m_display);
}

bool XTestInput::isOpen() const
{
    return m_display != nullptr;
}

void XTestInput::flush()
{
    XSync(m_display, False);
}

void XTestInput::tapCode(unsigned code, bool shift)
{
    const KeyCode shiftCode = XKeysymToKeycode(m_display, XK_Shift_L);
    if (shift)
        XTestFakeKeyEvent(m_display, shiftCode, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    if (shift)
        XTestFakeKeyEvent(m_display, shiftCode, False, CurrentTime);
}

void XTestInput::type(const QString &text)
{
    if (!m_display)
        return;
    for (const QChar c : text) {
        // Latin-1 keysyms are the characters' own codes.
        const KeySym sym = c.unicode();
        const KeyCode code = XKeysymToKeycode(m_display, sym);
        if (code == 0)
            continue;
        // A character on the key's second level needs Shift.
        const bool shift = XkbKeycodeToKeysym(m_display, code, 0, 0) != sym;
        tapCode(code, shift);
    }
    flush();
}

void XTestInput::tap(Key key)
{
    if (!m_display)
        return;
    tapCode(XKeysymToKeycode(m_display, keysymOf(key)), false);
    flush();
}

void XTestInput::chord(std::initializer_list<Key> modifiers, char character)
{
    if (!m_display)
        return;
    for (Key modifier : modifiers)
        XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, keysymOf(modifier)), True,
                          CurrentTime);
    tapCode(XKeysymToKeycode(m_display, KeySym(character)), false);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, keysymOf(*it)), False,
                          CurrentTime);
    flush();
}

void XTestInput::click(const QPoint &global)
{
    if (!m_display)
        return;
    XTestFakeMotionEvent(m_display, -1, global.x(), global.y(), CurrentTime);
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    flush();
}
