// SPDX-License-Identifier: MIT
#include <QMouseEvent>
#include <QWidget>
#include <QtTest>

#include <memory>

#include "platform/WindowDrag.h"

namespace {

void sendMouse(QWidget *to, QEvent::Type type, const QPoint &global, Qt::MouseButtons buttons,
               Qt::MouseButton button = Qt::NoButton)
{
    const QPointF local = to->mapFromGlobal(QPointF(global));
    QMouseEvent event(type, local, QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

} // namespace

class tst_WindowDrag : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QWidget> m_window;
    QWidget *m_strip = nullptr;

private slots:
    void init()
    {
        m_window = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
        m_window->setGeometry(100, 100, 200, 100);
        m_strip = new QWidget(m_window.get());
        m_strip->setGeometry(0, 0, 200, 20);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        QVERIFY(!WindowDrag::isFollowing());
    }

    void follows_data()
    {
        QTest::addColumn<QList<QPoint>>("moves");
        QTest::addColumn<QPoint>("end");
        QTest::newRow("one step") << QList<QPoint>{{40, 30}} << QPoint(40, 30);
        QTest::newRow("there and back") << QList<QPoint>{{40, 30}, {-5, 0}, {0, 0}} << QPoint(0, 0);
        QTest::newRow("up and left") << QList<QPoint>{{-10, -3}, {-60, -50}}
                                     << QPoint(-60, -50);
    }
    void follows()
    {
        QFETCH(QList<QPoint>, moves);
        QFETCH(QPoint, end);
        const QPoint start = m_window->pos();
        const QPoint press = m_strip->mapToGlobal(QPoint(10, 10));
        WindowDrag::start(m_strip, press);
        QVERIFY(WindowDrag::isFollowing());
        for (const QPoint &delta : moves)
            sendMouse(m_strip, QEvent::MouseMove, press + delta, Qt::LeftButton);
        QCOMPARE(m_window->pos(), start + end);
        sendMouse(m_strip, QEvent::MouseButtonRelease, press + end, Qt::NoButton, Qt::LeftButton);
        QVERIFY(!WindowDrag::isFollowing());
        sendMouse(m_strip, QEvent::MouseMove, press + end + QPoint(50, 50), Qt::NoButton);
        QCOMPARE(m_window->pos(), start + end);
    }

    void lostReleaseEndsTheMove()
    {
        const QPoint start = m_window->pos();
        const QPoint press = m_strip->mapToGlobal(QPoint(5, 5));
        WindowDrag::start(m_strip, press);
        // The button came up outside the application: the next move has none.
        sendMouse(m_strip, QEvent::MouseMove, press + QPoint(30, 30), Qt::NoButton);
        QVERIFY(!WindowDrag::isFollowing());
        QCOMPARE(m_window->pos(), start);
    }

    void secondStartReplacesTheFirst()
    {
        const QPoint start = m_window->pos();
        const QPoint press = m_strip->mapToGlobal(QPoint(5, 5));
        WindowDrag::start(m_strip, press);
        WindowDrag::start(m_strip, press);
        sendMouse(m_strip, QEvent::MouseMove, press + QPoint(7, 9), Qt::LeftButton);
        // Moved once by the delta, not twice.
        QCOMPARE(m_window->pos(), start + QPoint(7, 9));
        sendMouse(m_strip, QEvent::MouseButtonRelease, press, Qt::NoButton, Qt::LeftButton);
    }

    void windowClosedWhileMoving()
    {
        const QPoint press = m_strip->mapToGlobal(QPoint(5, 5));
        WindowDrag::start(m_strip, press);
        QWidget other;
        other.show();
        m_window.reset();
        m_strip = nullptr;
        QMouseEvent event(QEvent::MouseMove, QPointF(1, 1), QPointF(press + QPoint(3, 3)),
                          Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&other, &event);
        QVERIFY(!WindowDrag::isFollowing());
    }

    void nullWindowIsIgnored()
    {
        WindowDrag::start(nullptr, QPoint());
        QVERIFY(!WindowDrag::isFollowing());
    }
};

QTEST_MAIN(tst_WindowDrag)
#include "tst_WindowDrag.moc"
