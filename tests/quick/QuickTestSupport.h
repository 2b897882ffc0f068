// SPDX-License-Identifier: MIT
#pragma once

// Loading the DialGauge QML module from the build tree, and the widget it is
// compared against.

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQmlProperty>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QtTest>

#include <memory>

namespace QuickTest {

// The software scene graph: the same raster painting as the widget's, and
// no GPU needed offscreen.
inline void UseSoftwareBackend()
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

// A window holding one item made from body, a QML document that imports
// DialGauge (and QtQuick) and whose root is the gauge.
class Host
{
public:
    explicit Host(const QByteArray &body, QSize size = QSize(200, 200))
    {
        m_engine.addImportPath(QStringLiteral(DIALGAUGE_QML_STAGE));
        QQmlComponent component(&m_engine);
        component.setData("import QtQuick\nimport DialGauge\n" + body, QUrl(QStringLiteral("inline.qml")));
        m_item.reset(qobject_cast<QQuickItem *>(component.create()));
        if (!m_item) {
            m_errors = component.errorString();
            return;
        }
        m_window.setColor(Qt::white);
        m_window.resize(size);
        m_item->setParentItem(m_window.contentItem());
    }
    ~Host() { m_item.reset(); }

    QQuickItem *item() const { return m_item.get(); }
    QQuickWindow &window() { return m_window; }
    QString errors() const { return m_errors; }
    QVariant read(const char *path) const { return QQmlProperty::read(m_item.get(), QString::fromLatin1(path)); }
    bool write(const char *path, const QVariant &value) const
    {
        return QQmlProperty::write(m_item.get(), QString::fromLatin1(path), value);
    }
    // Shows the window and waits until it has been drawn once.
    bool expose()
    {
        m_window.show();
        return QTest::qWaitForWindowExposed(&m_window);
    }

private:
    QQmlEngine m_engine;
    QQuickWindow m_window;
    std::unique_ptr<QQuickItem> m_item;
    QString m_errors;
};

} // namespace QuickTest
