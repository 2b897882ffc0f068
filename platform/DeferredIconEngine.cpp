// SPDX-License-Identifier: MIT
#include "platform/DeferredIconEngine.h"

#include <QPainter>
#include <QPixmap>

DeferredIconEngine::DeferredIconEngine(QList<std::pair<QString, QSize>> files) : m_files(std::move(files)) {}

QIcon DeferredIconEngine::icon(QList<std::pair<QString, QSize>> files)
{
    return QIcon(new DeferredIconEngine(std::move(files)));
}

const QIcon &DeferredIconEngine::loaded()
{
    if (!m_loaded) {
        m_loaded = true;
        for (const auto &[file, size] : m_files)
            m_icon.addFile(file, size);
    }
    return m_icon;
}

QList<QSize> DeferredIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    // The sizes are known without reading; a file that turns out unreadable
    // drops out once read.
    if (!m_loaded && mode == QIcon::Normal && state == QIcon::Off) {
        QList<QSize> sizes;
        for (const auto &entry : m_files)
            sizes.append(entry.second);
        return sizes;
    }
    return loaded().availableSizes(mode, state);
}

QSize DeferredIconEngine::actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return loaded().actualSize(size, mode, state);
}

QPixmap DeferredIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return loaded().pixmap(size, mode, state);
}

void DeferredIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QIconEngine *DeferredIconEngine::clone() const
{
    return new DeferredIconEngine(*this);
}

QString DeferredIconEngine::key() const
{
    return QStringLiteral("DeferredIconEngine");
}

bool DeferredIconEngine::isNull()
{
    return m_files.isEmpty() || (m_loaded && m_icon.isNull());
}
