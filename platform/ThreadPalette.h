// SPDX-License-Identifier: MIT
#pragma once

#include <QPalette>

// While one lives, system colours on its thread resolve against its own copy
// of a palette instead of the application's: a thread that paints must not
// read the application palette while the GUI thread may be changing it.
class TThreadPalette
{
public:
    explicit TThreadPalette(const QPalette &palette);
    ~TThreadPalette();
    TThreadPalette(const TThreadPalette &) = delete;
    TThreadPalette &operator=(const TThreadPalette &) = delete;

    // The palette of the innermost one living on this thread; null if none.
    static const QPalette *Current();

private:
    QPalette m_palette;
    const QPalette *m_outer;
};
