// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QList>
#include <QSize>
#include <QString>

#include <utility>

// An icon of image files whose sizes are known beforehand, read only when a
// picture of it is first asked for. QIcon::addFile decodes every file at
// once; a window icon set at start-up is not drawn by every window system
// (offscreen, Wayland), and where it is, it is read when the window is made.
class DeferredIconEngine : public QIconEngine
{
public:
    // The files, each with the size of its picture.
    explicit DeferredIconEngine(QList<std::pair<QString, QSize>> files);

    static QIcon icon(QList<std::pair<QString, QSize>> files);

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;
    bool isNull() override;

private:
    const QIcon &loaded();

    QList<std::pair<QString, QSize>> m_files;
    QIcon m_icon;
    bool m_loaded = false;
};
