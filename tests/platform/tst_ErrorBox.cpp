// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
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
            owner = box->parentWidget();
            probe(box);
        }
        box->button(QMessageBox::Ok)->click();
    }

    // What the first box shows on the screen and gives to Ctrl+C.
    void probe(QMessageBox *box)
    {
        available = box->screen()->availableGeometry();
        geometry = box->frameGeometry();
        const QAbstractButton *ok = box->button(QMessageBox::Ok);
        okInside = box->rect().contains(QRect(ok->mapTo(box, QPoint(0, 0)), ok->size()));
        for (const QLabel *label : box->findChildren<QLabel *>()) {
            if (!label->isVisible() || label->text().isEmpty())
                continue;
            shown += label->text();
            // Every line shows whole: none is wider or lower than its label.
            const QFontMetrics metrics(label->font());
            const QStringList lines = label->text().split(QLatin1Char('\n'));
            for (const QString &line : lines)
                linesFit = linesFit
                           && metrics.horizontalAdvance(line) <= label->contentsRect().width();
            linesFit = linesFit
                       && lines.size() * metrics.lineSpacing()
                              <= label->contentsRect().height() + metrics.leading();
        }
        QGuiApplication::clipboard()->clear();
        QWidget *keys = box->focusWidget() ? box->focusWidget() : box;
        QTest::keyClick(keys, Qt::Key_C, Qt::ControlModifier);
        copied = QGuiApplication::clipboard()->text();
    }

    int count = 0;
    QWidget *owner = nullptr;
    QRect available;
    QRect geometry;
    bool okInside = false;
    bool linesFit = true;
    QString shown;
    QString copied;
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

    void fitsTheScreen_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("shortened");
        const QString invalid = QStringLiteral("' is not a valid floating point value");
        QTest::newRow("one line") << "Floating point overflow" << false;
        QTest::newRow("1,000 characters, unbreakable")
            << QLatin1Char('\'') + QString(1000, QLatin1Char('x')) + invalid << false;
        QTest::newRow("100,000 characters, unbreakable")
            << QLatin1Char('\'') + QString(100000, QLatin1Char('9')) + invalid << true;
        QTest::newRow("10,000 words") << QStringLiteral("word ").repeated(10000) << true;
        QTest::newRow("many short lines") << QStringLiteral("a\n").repeated(500) + "end" << true;
    }
    void fitsTheScreen()
    {
        QFETCH(QString, message);
        QFETCH(bool, shortened);
        BoxCatcher catcher;
        ErrorBox::show(Exception(message));
        QCOMPARE(catcher.count, 1);
        // The box's own text is the whole message.
        QCOMPARE(catcher.text, ErrorBox::textFor(message));
        QVERIFY2(catcher.available.contains(catcher.geometry),
                 qPrintable(QStringLiteral("%1x%2").arg(catcher.geometry.width())
                                .arg(catcher.geometry.height())));
        QVERIFY(catcher.okInside);
        QVERIFY(catcher.linesFit);
        // What cannot be shown is replaced by a visible "…"; the rest shows.
        QCOMPARE(catcher.shown.contains(QChar(0x2026)), shortened);
        QString shownChars = catcher.shown;
        shownChars.remove(QLatin1Char('\n'));
        if (!shortened)
            QCOMPARE(shownChars, QString(catcher.text).remove(QLatin1Char('\n')));
        else
            QVERIFY(QString(catcher.text).remove(QLatin1Char('\n')).endsWith(shownChars.mid(shownChars.lastIndexOf(QChar(0x2026)) + 1)
                                              .right(20)));
    }

    void ctrlCCopiesCaptionAndText_data()
    {
        QTest::addColumn<QString>("message");
        QTest::newRow("conversion") << "'abc' is not a valid floating point value";
        QTest::newRow("longer than the box shows") << QString(20000, QLatin1Char('z'));
    }
    void ctrlCCopiesCaptionAndText()
    {
        QFETCH(QString, message);
        BoxCatcher catcher;
        ErrorBox::show(Exception(message));
        const QString rule = QStringLiteral("---------------------------\n");
        QCOMPARE(catcher.copied, rule + QStringLiteral("Velocidad\n") + rule
                                     + ErrorBox::textFor(message) + QLatin1Char('\n') + rule
                                     + QStringLiteral("OK   \n") + rule);
    }

    void ownedByTheMainWindowWhenNoneIsActive()
    {
        QWidget main;
        main.resize(200, 100);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        ErrorBox::setOwner(&main);
        // As on an X server without a window manager: nothing is active.
        QApplication::setActiveWindow(nullptr);
        QCOMPARE(QApplication::activeWindow(), nullptr);
        BoxCatcher catcher;
        ErrorBox::show(EInvalidOp());
        QCOMPARE(catcher.count, 1);
        QCOMPARE(catcher.owner, &main);
        // Afterwards the keyboard is back in the main window.
        QTRY_COMPARE(QApplication::activeWindow(), &main);
        ErrorBox::setOwner(nullptr);
    }

    void noMinimiseOrMaximiseButton()
    {
        BoxCatcher catcher;
        Qt::WindowFlags flags;
        QTimer::singleShot(0, [&] {
            if (QWidget *box = QApplication::activeModalWidget())
                flags = box->windowFlags();
        });
        ErrorBox::show(EInvalidOp());
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
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
