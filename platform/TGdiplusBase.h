// SPDX-License-Identifier: MIT
#pragma once

#include "platform/TGPTypes.h"

// Base of every drawing wrapper. A wrapper owns at most one Qt object; when
// making it or any later call fails, the failure is kept here instead of
// being thrown, and the call draws nothing. Wrappers are neither copied nor
// moved: each stands for one object of one paint.
class TGdiplusBase
{
public:
    TGdiplusBase(const TGdiplusBase &) = delete;
    TGdiplusBase &operator=(const TGdiplusBase &) = delete;
    virtual ~TGdiplusBase();

    // The last failing status, which is then forgotten (Ok afterwards).
    // By default it is Ok.
    TStatus GetLastStatus() const;
    // The last failing status, left in place.
    TStatus PeekLastStatus() const { return m_lastResult; }

protected:
    TGdiplusBase() = default;
    // Keeps a failure and hands the status back, so calls can end with
    // "return SetStatus(...)".
    TStatus SetStatus(TStatus status) const;

private:
    mutable TStatus m_lastResult = TStatus::Ok;
};
