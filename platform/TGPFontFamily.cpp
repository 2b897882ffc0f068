// SPDX-License-Identifier: MIT
#include "platform/TGPFontFamily.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QMutex>
#include <QThread>

#include <atomic>

namespace {

bool installedFamily(const QString &name)
{
    // Every label of a paint asks again, and listing the families is not
    // cheap: answers are kept until the font database changes. A gauge may
    // paint on another thread too; Qt's own lock is never taken under ours.
    static QMutex lock;
    static QHash<QString, bool> known;
    static bool watching = false;
    static std::atomic<quint64> changes{0};
    static quint64 seen = 0;
    quint64 asked = 0;
    {
        const QMutexLocker guard(&lock);
        if (!watching && qGuiApp && QThread::currentThread() == qGuiApp->thread()) {
            QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp, [] { ++changes; });
            watching = true;
        }
        asked = changes;
        if (seen != asked) {
            known.clear();
            seen = asked;
        }
        if (const auto it = known.constFind(name); it != known.constEnd())
            return it.value();
    }
    const bool found = QFontDatabase::families().contains(name, Qt::CaseInsensitive);
    const QMutexLocker guard(&lock);
    if (watching && changes == asked)
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
