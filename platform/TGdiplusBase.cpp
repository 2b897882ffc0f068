// SPDX-License-Identifier: MIT
#include "platform/TGdiplusBase.h"

TGdiplusBase::~TGdiplusBase() = default;

TStatus TGdiplusBase::GetLastStatus() const
{
    const TStatus last = m_lastResult;
    m_lastResult = TStatus::Ok;
    return last;
}

TStatus TGdiplusBase::SetStatus(TStatus status) const
{
    if (status != TStatus::Ok)
        m_lastResult = status;
    return status;
}
