// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QString>

#include <initializer_list>

// Real keyboard and mouse input for the end-to-end tests: events made by the
// X server's XTest extension, which reach the application exactly as a
// user's keys and clicks do (focus, activation and key translation included).
// The X headers stay in the source file: their macros clash with Qt's names.
class XTestInput
{
public:
    // Keys named without X headers.
    enum Key { Return, Tab, Alt, Control, Shift };

    XTestInput();
    ~XTestInput();
    XTestInput(const XTestInput &) = delete;
    XTestInput &operator=(const XTestInput &) = delete;

    // False without an X server or without its XTest extension.
    bool isOpen() const;

    // Types printable ASCII text, with Shift where a character needs it.
    void type(const QString &text);
    void tap(Key key);
    // Holds the modifiers, taps the character's key, releases them in reverse.
    void chord(std::initializer_list<Key> modifiers, char character);
    // Moves the pointer to a global position and clicks the left button.
    void click(const QPoint &global);

private:
    void tapCode(unsigned code, bool shift);
    void flush();

    struct _XDisplay *m_display = nullptr;
};
