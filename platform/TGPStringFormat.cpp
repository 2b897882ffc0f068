// SPDX-License-Identifier: MIT
#include "platform/TGPStringFormat.h"

#include <Qt>

namespace {

bool validAlignment(TStringAlignment align)
{
    return align == TStringAlignment::Near || align == TStringAlignment::Center
        || align == TStringAlignment::Far;
}

} // namespace

TGPStringFormat::TGPStringFormat(int formatFlags, int) : m_flags(formatFlags) {}

TGPStringFormat::~TGPStringFormat() = default;

TStatus TGPStringFormat::SetAlignment(TStringAlignment align)
{
    if (!validAlignment(align))
        return SetStatus(TStatus::InvalidParameter);
    m_alignment = align;
    return TStatus::Ok;
}

TStatus TGPStringFormat::SetLineAlignment(TStringAlignment align)
{
    if (!validAlignment(align))
        return SetStatus(TStatus::InvalidParameter);
    m_lineAlignment = align;
    return TStatus::Ok;
}

int TGPStringFormat::qtFlags(bool sized) const
{
    static constexpr int horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static constexpr int vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    int flags = horizontal[int(m_alignment)] | vertical[int(m_lineAlignment)];
    if (!sized || (m_flags & StringFormatFlags::NoClip))
        flags |= Qt::TextDontClip;
    return flags;
}
