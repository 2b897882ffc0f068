// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "platform/TGdiplusBase.h"

// A typeface by name. The name counts as found when the font database lists
// it as an installed family (ignoring case); otherwise the status is
// FontFamilyNotFound. The family keeps its name either way, so a font made
// from a family that is not installed is drawn in the system's substitute
// (how "Arial" reaches a metric-compatible face on Linux).
class TGPFontFamily : public TGdiplusBase
{
public:
    explicit TGPFontFamily(const QString &name);
    ~TGPFontFamily() override;

    QString GetFamilyName() const { return m_name; }

private:
    QString m_name;

    friend class TGPFont;
};
