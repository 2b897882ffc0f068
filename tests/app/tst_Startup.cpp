// SPDX-License-Identifier: MIT
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <stdexcept>

#include "app/Application.h"
#include "app/Unit1.h"
#include "platform/ErrorBox.h"

namespace {

// An object whose event handling fails the way a handler can.
class Thrower : public QObject
{
public:
    enum Kind { ZeroDivide, Convert, Abort, Standard, Foreign };
    explicit Thrower(Kind kind) : m_kind(kind) {}
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        switch (m_kind) {
        case ZeroDivide: throw EZeroDivide();
        case Convert: throw EConvertError(QStringLiteral("'x' is not a valid floating point value"));
        case Abort: throw EAbort();
        case Standard: throw std::runtime_error("out of range");
        case Foreign: throw 42;
        }
        return true;
    }

private:
    Kind m_kind;
};

class BoxCatcher : public QObject
{
public:
    BoxCatcher()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                if (count++ == 0) {
                    caption = box->windowTitle();
                    text = box->text();
                }
                box->button(QMessageBox::Ok)->click();
            }
        });
        m_timer.start(5);
    }
    int count = 0;
    QString caption;
    QString text;

private:
    QTimer m_timer;
};

} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT
private slots:
    void title_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("upper case with extension") << "ABC.EXE" << "Abc";
        QTest::newRow("our executable") << "/usr/local/bin/Velocidad" << "Velocidad";
        QTest::newRow("all lower case stays") << "velocidad" << "velocidad";
        QTest::newRow("shouting name") << "/opt/VELOCIDAD" << "Velocidad";
        QTest::newRow("cut at the first dot") << "Calc.app.bin" << "Calc";
        QTest::newRow("first letter kept as it is") << "vELOCIDAD.EXE" << "velocidad";
        QTest::newRow("dot in a directory") << "/opt/tool.d/Calc" << "Calc";
        QTest::newRow("accented capitals") << QString::fromUtf8("ÁRBOL.EXE") << QString::fromUtf8("Árbol");
        QTest::newRow("one letter") << "x.sh" << "x";
        QTest::newRow("digits and capitals") << "EBS2024" << "Ebs2024";
        QTest::newRow("name starting with a dot") << "/home/u/.hidden" << "";
        QTest::newRow("empty") << "" << "";
    }
    void title()
    {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(Application::titleFromExecutable(path), title);
    }

    void applicationSetsTheErrorCaption()
    {
        QCOMPARE(ErrorBox::title(),
                 Application::titleFromExecutable(QCoreApplication::applicationFilePath()));
        QCOMPARE(ErrorBox::title(), QStringLiteral("tst_startup"));
    }

    // The windows carry the installed icon, and the desktop can match them
    // to the installed desktop entry.
    void applicationIcon_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("menu size") << 48;
        QTest::newRow("large") << 256;
    }

    void applicationIcon()
    {
        QFETCH(int, size);
        const QString name = QString::fromLatin1(Application::DesktopId);
        QCOMPARE(QGuiApplication::desktopFileName(), name);
        const QIcon icon = QApplication::windowIcon();
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        const QImage picture = icon.pixmap(size).toImage();
        QCOMPARE(picture.size(), QSize(size, size));
        // A dial: transparent corners, the opaque blue disc at the centre.
        QCOMPARE(qAlpha(picture.pixel(0, 0)), 0);
        const QRgb centre = picture.pixel(size / 2, size / 2);
        QCOMPARE(qAlpha(centre), 255);
        QVERIFY(qBlue(centre) > qRed(centre) && qBlue(centre) > qGreen(centre));
        TForm1 form;
        QCOMPARE(form.windowIcon().cacheKey(), icon.cacheKey());
    }

    void nothingEscapesIntoQt_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("boxes");
        QTest::addColumn<QString>("text");
        QTest::newRow("math error") << int(Thrower::ZeroDivide) << 1
                                    << "Floating point division by zero.";
        QTest::newRow("conversion error") << int(Thrower::Convert) << 1
                                          << "'x' is not a valid floating point value.";
        QTest::newRow("silent abort") << int(Thrower::Abort) << 0 << "";
        QTest::newRow("standard library error") << int(Thrower::Standard) << 1
                                                << "out of range.";
        QTest::newRow("anything else") << int(Thrower::Foreign) << 1 << "Unknown error.";
    }
    void nothingEscapesIntoQt()
    {
        QFETCH(int, kind);
        QFETCH(int, boxes);
        QFETCH(QString, text);
        Thrower thrower{Thrower::Kind(kind)};
        BoxCatcher catcher;
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&thrower, &event);
        QCOMPARE(catcher.count, boxes);
        QCOMPARE(catcher.text, text);
        if (boxes)
            QCOMPARE(catcher.caption, QStringLiteral("tst_startup"));
        // The loop keeps running afterwards.
        bool ran = false;
        QTimer::singleShot(0, this, [&] { ran = true; });
        QTRY_VERIFY(ran);
    }

    void postedEventsToo()
    {
        auto *thrower = new Thrower(Thrower::ZeroDivide);
        BoxCatcher catcher;
        QCoreApplication::postEvent(thrower, new QEvent(QEvent::User));
        QTRY_COMPARE(catcher.count, 1);
        delete thrower;
    }

    void mainWindowStartsReady()
    {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), form.xMasa);
        QCOMPARE(QApplication::activeWindow(), &form);
    }
};

int main(int argc, char **argv)
{
    Application app(argc, argv);
    tst_Startup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Startup.moc"
