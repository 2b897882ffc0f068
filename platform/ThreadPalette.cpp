// SPDX-License-Identifier: MIT
#include "platform/ThreadPalette.h"

namespace {
thread_local const QPalette *current = nullptr;
}

TThreadPalette::TThreadPalette(const QPalette &palette) : m_palette(palette), m_outer(current)
{
    current = &m_palette;
}

TThreadPalette::~TThreadPalette()
{
    current = m_outer;
}

const QPalette *TThreadPalette::Current()
{
    return current;
}
