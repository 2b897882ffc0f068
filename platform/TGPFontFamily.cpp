// SPDX-License-Identifier: MIT
#include "platform/TGPFontFamily.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>

namespace {

bool installedFamily(const QString &name)
{
    // Every label of a paint asks again, and listing the families is not
    // cheap: answers are kept until the font database changes.
    static QHash<QString, bool> known;
    static bool watching = false;
    if (!watching && qGuiApp) {
        QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp, [] { known.clear(); });
        watching = true;
    }
    if (const auto it = known.constFind(name); it != known.constEnd())
        return it.value();
    const bool found = QFontDatabase::families().contains(name, Qt::CaseInsensitive);
    if (watching)
        known.insert(name, found);
    return found;
}

} // namespace

TGPFontFamily::TGPFontFamily(const QString &name) : m_name(name)
{
    if (name.isEmpty() || !installedFamily(name))
        SetStatus(TStatus::FontFamilyNotFound);
}

TGPFontFamily::~TGPFontFamily() = default;
