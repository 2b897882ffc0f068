#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "platform/ErrorBox.h"

Q_DECLARE_METATYPE(std::shared_ptr<Exception>)

// Watches for error boxes while a test runs, records what the first one shows
// and closes every one with its OK button.
class BoxCatcher : public QObject
{
public:
    BoxCatcher()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start(5);
    }
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (++count == 1) {
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
            grabberWhileShown = QWidget::mouseGrabber();
            onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            modality = box->windowModality();
        }
        box->button(QMessageBox::Ok)->click();
    }

    int count = 0;
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QWidget *grabberWhileShown = nullptr;
    bool onTop = false;
    Qt::WindowModality modality = Qt::NonModal;

private:
    QTimer m_timer;
};

class tst_ErrorBox : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ErrorBox::setTitle(QStringLiteral("Velocidad")); }

    void textFor_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ends in a letter") << "Invalid floating point operation"
                                          << "Invalid floating point operation.";
        QTest::newRow("empty stays empty") << "" << "";
        QTest::newRow("already a full stop") << "Done." << "Done.";
        QTest::newRow("apostrophe sorts before") << "'abc'" << "'abc'";
        QTest::newRow("closing parenthesis sorts before") << "(x)" << "(x)";
        QTest::newRow("blank sorts before") << "trailing " << "trailing ";
        QTest::newRow("comma sorts before") << "a," << "a,";
        QTest::newRow("hyphen sorts before") << "a-" << "a-";
        QTest::newRow("slash sorts after") << "N/" << "N/.";
        QTest::newRow("digit sorts after") << "value 5" << "value 5.";
        QTest::newRow("colon sorts after") << "see:" << "see:.";
        QTest::newRow("accented letter") << "dirección" << "dirección.";
        QTest::newRow("only a full stop") << "." << ".";
    }
    void textFor()
    {
        QFETCH(QString, message);
        QFETCH(QString, expected);
        QCOMPARE(ErrorBox::textFor(message), expected);
    }

    void show_data()
    {
        QTest::addColumn<std::shared_ptr<Exception>>("error");
        QTest::addColumn<QString>("text");
        QTest::newRow("conversion")
            << std::shared_ptr<Exception>(
                   std::make_shared<EConvertError>("'abc' is not a valid floating point value"))
            << "'abc' is not a valid floating point value.";
        QTest::newRow("empty field text")
            << std::shared_ptr<Exception>(
                   std::make_shared<EConvertError>("'' is not a valid floating point value"))
            << "'' is not a valid floating point value.";
        QTest::newRow("overflow") << std::shared_ptr<Exception>(std::make_shared<EOverflow>())
                                  << "Floating point overflow.";
        QTest::newRow("division by zero")
            << std::shared_ptr<Exception>(std::make_shared<EZeroDivide>())
            << "Floating point division by zero.";
        QTest::newRow("invalid operation")
            << std::shared_ptr<Exception>(std::make_shared<EInvalidOp>())
            << "Invalid floating point operation.";
        QTest::newRow("empty message")
            << std::shared_ptr<Exception>(std::make_shared<Exception>(QString())) << "";
    }
    void show()
    {
        QFETCH(std::shared_ptr<Exception>, error);
        QFETCH(QString, text);
        BoxCatcher catcher;
        ErrorBox::show(*error);
        QCOMPARE(catcher.count, 1);
        QCOMPARE(catcher.caption, QStringLiteral("Velocidad"));
        QCOMPARE(catcher.text, text);
        QCOMPARE(catcher.icon, QMessageBox::Critical);
        QCOMPARE(catcher.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(catcher.onTop);
        QCOMPARE(catcher.modality, Qt::ApplicationModal);
    }

    void abortIsSilent()
    {
        BoxCatcher catcher;
        ErrorBox::show(EAbort());
        ErrorBox::post(EAbort());
        QTest::qWait(30);
        QCOMPARE(catcher.count, 0);
    }

    void guardShowsWhatEscapesAndGoesOn()
    {
        BoxCatcher catcher;
        ErrorBox::guard([] { throw EZeroDivide(); });
        QCOMPARE(catcher.count, 1);
        QCOMPARE(catcher.text, QStringLiteral("Floating point division by zero."));
    }

    void guardRunsHandlerOnce()
    {
        BoxCatcher catcher;
        int runs = 0;
        ErrorBox::guard([&] { ++runs; });
        QCOMPARE(runs, 1);
        QCOMPARE(catcher.count, 0);
    }

    void postWaitsForTheEventLoop()
    {
        BoxCatcher catcher;
        {
            // The exception object is gone before the box appears.
            EOverflow error;
            ErrorBox::post(error);
        }
        QCOMPARE(catcher.count, 0);
        QTRY_COMPARE(catcher.count, 1);
        QCOMPARE(catcher.text, QStringLiteral("Floating point overflow."));
        QCOMPARE(catcher.caption, QStringLiteral("Velocidad"));
    }

    void mouseGrabIsReleasedFirst()
    {
        QWidget window;
        window.resize(100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.grabMouse();
        QCOMPARE(QWidget::mouseGrabber(), &window);
        BoxCatcher catcher;
        ErrorBox::show(EInvalidOp());
        QCOMPARE(catcher.count, 1);
        QCOMPARE(catcher.grabberWhileShown, nullptr);
    }
};

QTEST_MAIN(tst_ErrorBox)
#include "tst_ErrorBox.moc"
