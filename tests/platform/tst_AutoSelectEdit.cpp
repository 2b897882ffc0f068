// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtTest>

#include "platform/AutoSelectEdit.h"

namespace {

// A window with two fields, the second holding "0.00".
struct Window
{
    QWidget window;
    AutoSelectEdit *other = new AutoSelectEdit(&window);
    AutoSelectEdit *field = new AutoSelectEdit(&window);

    Window()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(other);
        layout->addWidget(field);
        field->showText(QStringLiteral("0.00"));
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("window did not become active");
        other->setFocus();
    }
};

// A field of the main window's result kind: bold 19-pixel "Tahoma".
AutoSelectEdit *resultField(QWidget *parent, int width)
{
    auto *e = new AutoSelectEdit(parent);
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(19);
    font.setBold(true);
    e->setFont(font);
    e->setGeometry(0, 0, width, 31);
    e->setReadOnly(true);
    return e;
}

bool dark(const QColor &c)
{
    return c.lightness() < 128;
}

} // namespace

class tst_AutoSelectEdit : public QObject
{
    Q_OBJECT
private slots:
    void focusSelects_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("selected");
        QTest::newRow("Tab") << int(Qt::TabFocusReason) << "0.00";
        QTest::newRow("Shift+Tab") << int(Qt::BacktabFocusReason) << "0.00";
        QTest::newRow("accelerator") << int(Qt::ShortcutFocusReason) << "0.00";
        QTest::newRow("program (setFocus)") << int(Qt::OtherFocusReason) << "0.00";
        QTest::newRow("window activation") << int(Qt::ActiveWindowFocusReason) << "0.00";
        QTest::newRow("mouse click places the caret") << int(Qt::MouseFocusReason) << "";
        QTest::newRow("back from a context menu") << int(Qt::PopupFocusReason) << "";
    }
    void focusSelects()
    {
        QFETCH(int, reason);
        QFETCH(QString, selected);
        Window w;
        QVERIFY(w.other->hasFocus());
        w.field->setFocus(Qt::FocusReason(reason));
        QVERIFY(w.field->hasFocus());
        QCOMPARE(w.field->selectedText(), selected);
    }

    void windowActivationSelects()
    {
        Window w;
        w.field->setFocus(Qt::MouseFocusReason);
        w.field->deselect();
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QCOMPARE(QApplication::focusWidget(), w.field);
        QCOMPARE(w.field->selectedText(), QStringLiteral("0.00"));
    }

    void clickPlacesTheCaret()
    {
        Window w;
        const QPoint end(w.field->width() - 4, w.field->height() / 2);
        QTest::mouseClick(w.field, Qt::LeftButton, {}, end);
        QVERIFY(w.field->hasFocus());
        QVERIFY(!w.field->hasSelectedText());
        QCOMPARE(w.field->cursorPosition(), 4);
    }

    void focusSelectedAlsoWithFocus()
    {
        Window w;
        w.field->setFocus();
        QTest::keyClicks(w.field, QStringLiteral("12"));
        QVERIFY(!w.field->hasSelectedText());
        // No focus event comes: the field selects all the same.
        w.field->focusSelected();
        QCOMPARE(w.field->selectedText(), QStringLiteral("12"));
        w.other->focusSelected();
        QVERIFY(w.other->hasFocus());
    }

    void altKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");
        const int alt = Qt::AltModifier;
        QTest::newRow("Alt+X") << int(Qt::Key_X) << alt << "x" << "12";
        QTest::newRow("Alt+Q") << int(Qt::Key_Q) << alt << "q" << "12";
        QTest::newRow("Alt+Shift+X") << int(Qt::Key_X) << int(alt | Qt::ShiftModifier) << "X"
                                     << "12";
        QTest::newRow("Alt+5") << int(Qt::Key_5) << alt << "5" << "12";
        QTest::newRow("Alt+point") << int(Qt::Key_Period) << alt << "." << "12";
        QTest::newRow("plain x") << int(Qt::Key_X) << 0 << "x" << "12x";
        QTest::newRow("Shift+X") << int(Qt::Key_X) << int(Qt::ShiftModifier) << "X" << "12X";
        QTest::newRow("AltGr as Ctrl+Alt types") << int(Qt::Key_At)
                                                 << int(Qt::ControlModifier | alt) << "@"
                                                 << "12@";
    }
    void altKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(QString, after);
        Window w;
        w.field->setFocus();
        QTest::keyClicks(w.field, QStringLiteral("12"));
        // As the X server delivers it: Alt+x carries the text "x".
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        QApplication::sendEvent(w.field, &press);
        QCOMPARE(w.field->text(), after);
    }

    void showTextShowsTheStart_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fits");
        QTest::newRow("fits") << "43862.5" << true;
        QTest::newRow("energy at angle 90") << "2.49164288087608E16" << false;
        QTest::newRow("empty") << "" << true;
    }
    void showTextShowsTheStart()
    {
        QFETCH(QString, text);
        QFETCH(bool, fits);
        QWidget window;
        AutoSelectEdit *e = resultField(&window, 109);
        window.show();
        e->setFocus();
        e->selectAll();
        e->showText(text);
        QCOMPARE(e->text(), text);
        QCOMPARE(e->cursorPosition(), 0);
        QVERIFY(!e->hasSelectedText());
        QCOMPARE(e->textFits(), fits);
        // The field keeps its size, whatever the text.
        QCOMPARE(e->size(), QSize(109, 31));
    }

    void cutTextIsMarked()
    {
        // Digits have ink above the middle of the line; the "…" mark only
        // on the baseline.
        QWidget window;
        AutoSelectEdit *e = resultField(&window, 109);
        e->showText(QStringLiteral("88888888888888888888"));
        QVERIFY(!e->textFits());
        const QImage image = e->grab().toImage();
        const QFontMetrics metrics(e->font());
        const int markWidth = metrics.horizontalAdvance(QChar(0x2026)) + 2;
        const int right = e->width() - 3; // inside the frame
        const int middle = e->height() / 2;
        auto inkInColumns = [&](int from, int to) {
            int ink = 0;
            for (int x = from; x <= to; ++x)
                for (int y = middle - 5; y < middle; ++y)
                    ink += dark(image.pixelColor(x, y));
            return ink;
        };
        QVERIFY(inkInColumns(right - markWidth - 20, right - markWidth - 4) > 0);
        QCOMPARE(inkInColumns(right - markWidth, right), 0);

        // Once the whole text fits, nothing is painted over it.
        e->showText(QStringLiteral("88"));
        QVERIFY(e->textFits());
    }

    void toolTipHoldsACutText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("shown");
        QTest::newRow("fits: no tooltip") << "7.65" << false;
        QTest::newRow("cut: the whole text") << "20749840.7" << true;
    }
    void toolTipHoldsACutText()
    {
        QFETCH(QString, text);
        QFETCH(bool, shown);
        QWidget window;
        AutoSelectEdit *e = resultField(&window, 99);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        e->showText(text);
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), e->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(e, &help);
        QCOMPARE(QToolTip::isVisible(), shown);
        if (shown)
            QVERIFY(QToolTip::text().contains(text));
        QToolTip::hideText();
    }

    void longToolTipIsShortened()
    {
        QWidget window;
        AutoSelectEdit *e = resultField(&window, 99);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        e->showText(QStringLiteral("<b>") + QString(5000, QLatin1Char('7')));
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), e->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(e, &help);
        QVERIFY(QToolTip::isVisible());
        // The typed markup shows as typed; the middle gives way to "…".
        QVERIFY(QToolTip::text().contains(QStringLiteral("&lt;b&gt;777")));
        QVERIFY(QToolTip::text().contains(QChar(0x2026)));
        QVERIFY(QToolTip::text().size() < 1000);
        QToolTip::hideText();
    }

    // Typed and pasted text is kept whole: QLineEdit's own limit would drop
    // everything after 32767 characters without a word.
    void longTextIsKeptWhole_data()
    {
        QTest::addColumn<bool>("paste");
        QTest::newRow("typed by the program") << false;
        QTest::newRow("pasted") << true;
    }

    void longTextIsKeptWhole()
    {
        QFETCH(bool, paste);
        AutoSelectEdit e;
        const QString text(100000, QLatin1Char('9'));
        if (paste) {
            e.clear();
            e.insert(text);
        } else {
            e.showText(text);
        }
        QCOMPARE(e.text().size(), text.size());
    }
};

QTEST_MAIN(tst_AutoSelectEdit)
#include "tst_AutoSelectEdit.moc"
