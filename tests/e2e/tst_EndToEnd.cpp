// SPDX-License-Identifier: MIT
// The calculator on a real X server, driven by real key and mouse events
// (XTest), as a user drives it. Run by run-on-x.sh on its own virtual
// display, once without a window manager and once under openbox: focus,
// selection and activation come from the X server there, not from Qt's
// offscreen platform. Every wait is on a condition.

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

#include "XTestInput.h"
#include "XWindowInfo.h"
#include "app/Application.h"
#include "app/Startup.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "platform/AutoSelectEdit.h"
#include "platform/ErrorBox.h"
#include "platform/ErrorMessageBox.h"

namespace {

constexpr int kWait = 10000; // ms; conditions normally hold within a few

// One value per tab stop from the mass to the angle, the worked example.
struct Entry
{
    const char *field;
    const char *text;
};
const Entry kExample[] = {
    {"xMasa", "1500"}, {"xBatalla", "2.6"}, {"xA", "35000"}, {"xB", "300000"},
    {"xL", "1.5"},     {"xC1", "0.2"},      {"xC2", "0.3"},  {"xC3", "0.4"},
    {"xC4", "0.4"},    {"xC5", "0.3"},      {"xC6", "0.2"},  {"xAnguloFPI", "0"},
};

// Runs steps against the modal window that a handler's nested event loop
// shows, one step per poll until the step reports done; a test cannot, since
// it waits below that loop. A window that never becomes ready is closed after
// kWait, so a failing test ends instead of hanging.
class ModalScript : public QObject
{
public:
    using Step = std::function<bool(QWidget *modal)>;
    ModalScript(const XWindowInfo &x, QList<Step> steps) : m_x(x), m_steps(std::move(steps))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start(10);
        m_clock.start();
    }
    bool finished() const { return m_next >= m_steps.size() && !QApplication::activeModalWidget(); }
    bool timedOut = false;
    bool keyboardReached = false;

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (m_clock.elapsed() > kWait) {
            timedOut = true;
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
            return;
        }
        // The window must hold the X keyboard focus before keys are sent.
        if (m_x.inputFocus() != modal->winId() || QApplication::activeWindow() != modal)
            return;
        keyboardReached = true;
        if (m_next < m_steps.size() && m_steps[m_next](modal))
            ++m_next;
    }

    const XWindowInfo &m_x;
    QList<Step> m_steps;
    qsizetype m_next = 0;
    QTimer m_timer;
    QElapsedTimer m_clock;
};

// Notes when a window is minimised.
class MinimiseWatcher : public QObject
{
public:
    bool minimised = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowStateChange)
            minimised = minimised || static_cast<QWidget *>(watched)->isMinimized();
        return false;
    }
};

} // namespace

class tst_EndToEnd : public QObject
{
    Q_OBJECT
private:
    XTestInput m_input;
    XWindowInfo m_x;
    bool m_windowManager = false;
    std::unique_ptr<TForm1> m_form;
    std::unique_ptr<TForm2> m_about;

    AutoSelectEdit *field(const char *name)
    {
        return m_form->findChild<AutoSelectEdit *>(QString::fromLatin1(name));
    }
    static QString focusName()
    {
        const QWidget *focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }
    // The main window holds both Qt's activation and the X keyboard focus.
    bool mainWindowHasKeyboard() const
    {
        return QApplication::activeWindow() == m_form.get()
               && m_x.inputFocus() == m_form->winId();
    }
    void typeExample(const QString &angle)
    {
        // Tab and Enter alternate: both move to the next tab stop.
        bool tab = true;
        for (const Entry &entry : kExample) {
            const QString text = QLatin1String(entry.field) == QLatin1String("xAnguloFPI")
                                     ? angle
                                     : QString::fromLatin1(entry.text);
            m_input.type(text);
            m_input.tap(tab ? XTestInput::Tab : XTestInput::Return);
            tab = !tab;
        }
    }
    void tabs(int count)
    {
        for (int i = 0; i < count; ++i)
            m_input.tap(XTestInput::Tab);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_input.isOpen(), "needs an X server with the XTest extension");
        QVERIFY(m_x.isOpen());
        const bool expected = qEnvironmentVariable("E2E_WINDOW_MANAGER") == QLatin1String("openbox");
        // The window manager may still be starting.
        QTRY_COMPARE_WITH_TIMEOUT(m_x.hasWindowManager(), expected, kWait);
        m_windowManager = expected;
        qInfo("window manager: %s", m_windowManager ? "openbox" : "none");
    }

    // Every test starts as the calculator does.
    void init()
    {
        m_form = std::make_unique<TForm1>();
        m_about = std::make_unique<TForm2>();
        m_form->setAboutWindow(m_about.get());
        Startup::showMainWindow(*m_form);
        QTRY_VERIFY_WITH_TIMEOUT(mainWindowHasKeyboard(), kWait);
    }
    void cleanup()
    {
        m_form.reset();
        m_about.reset();
    }

    void freshStartWorkedExampleByKeyboard()
    {
        QCOMPARE(focusName(), QStringLiteral("xMasa"));
        QCOMPARE(field("xMasa")->selectedText(), QStringLiteral("0.00"));
        typeExample(QStringLiteral("0"));
        m_input.chord({XTestInput::Alt}, 'c');
        QTRY_COMPARE_WITH_TIMEOUT(field("xKms")->text(), QStringLiteral("27.54"), kWait);
        for (const Entry &entry : kExample)
            QCOMPARE(field(entry.field)->text(), QString::fromLatin1(entry.text));
        QCOMPARE(field("xEDeformacion")->text(), QStringLiteral("43862.5"));
        QCOMPARE(field("xMs")->text(), QStringLiteral("7.65"));
        // The needle comes to rest on the km/h value.
        QTRY_COMPARE_WITH_TIMEOUT(m_form->DialGauge1->property("Value").toDouble(), 27.54, kWait);
        // Alt+C left the keyboard where it was: after the angle, Tab went on.
        QCOMPARE(focusName(), QStringLiteral("xEDeformacion"));
    }

    void limpiarThenTyping_data()
    {
        QTest::addColumn<bool>("byClick");
        QTest::addColumn<int>("tabsBefore");
        QTest::newRow("click, from the mass field") << true << 0;
        QTest::newRow("Alt+L, from the mass field") << false << 0;
        QTest::newRow("Alt+L, from C3") << false << 7;
    }
    void limpiarThenTyping()
    {
        QFETCH(bool, byClick);
        QFETCH(int, tabsBefore);
        m_input.type(QStringLiteral("1500"));
        tabs(tabsBefore);
        // Typed into a field with the caret after the text, nothing selected.
        m_input.type(QStringLiteral("9"));
        const char *typedInto = tabsBefore ? "xC3" : "xMasa";
        const QString typed = tabsBefore ? QStringLiteral("9") : QStringLiteral("15009");
        QTRY_COMPARE_WITH_TIMEOUT(field(typedInto)->text(), typed, kWait);
        QVERIFY(!field(typedInto)->hasSelectedText());

        if (byClick) {
            QPushButton *limpiar = m_form->Limpiar;
            m_input.click(m_x.screenPosition(m_form->winId())
                          + limpiar->mapTo(m_form.get(), limpiar->rect().center()));
        } else {
            m_input.chord({XTestInput::Alt}, 'l');
        }
        QTRY_COMPARE_WITH_TIMEOUT(field(typedInto)->text(), QStringLiteral("0.00"), kWait);
        QTRY_COMPARE_WITH_TIMEOUT(focusName(), QStringLiteral("xMasa"), kWait);
        // The click took the keyboard to the button; the program brought it
        // back to the mass field with its text selected.
        QCOMPARE(field("xMasa")->selectedText(), QStringLiteral("0.00"));
        m_input.type(QStringLiteral("5"));
        QTRY_COMPARE_WITH_TIMEOUT(field("xMasa")->text(), QStringLiteral("5"), kWait);
    }

    void altLetterInsertsNothing()
    {
        m_input.type(QStringLiteral("12"));
        for (char letter : {'x', 'q', 'z', 'b'})
            m_input.chord({XTestInput::Alt}, letter);
        m_input.chord({XTestInput::Alt, XTestInput::Shift}, 'x');
        m_input.type(QStringLiteral("3"));
        QTRY_COMPARE_WITH_TIMEOUT(field("xMasa")->text(), QStringLiteral("123"), kWait);
        QVERIFY(m_form->isVisible());
    }

    void errorBoxClosedWithEnter()
    {
        tabs(3);
        m_input.type(QStringLiteral("abc"));
        QTRY_COMPARE_WITH_TIMEOUT(field("xB")->text(), QStringLiteral("abc"), kWait);

        QString text;
        QWidget *owner = nullptr;
        QStringList allowedActions;
        QList<long> motifHints;
        MinimiseWatcher watcher;
        QElapsedTimer sinceRequest;
        ModalScript script(m_x, {[&](QWidget *modal) {
                                     // The window manager's minimise button,
                                     // where there is one: the box comes back.
                                     if (m_windowManager) {
                                         modal->installEventFilter(&watcher);
                                         m_x.minimise(modal->winId());
                                         sinceRequest.start();
                                     }
                                     return true;
                                 },
                                 [&](QWidget *modal) {
                                     if (m_windowManager && !watcher.minimised) {
                                         // openbox now and then leaves a request unheeded
                                         // (about one run in twenty): ask again, as a user
                                         // would click again.
                                         if (sinceRequest.elapsed() > 1000) {
                                             m_x.minimise(modal->winId());
                                             sinceRequest.restart();
                                         }
                                         return false;
                                     }
                                     auto *box = qobject_cast<QMessageBox *>(modal);
                                     if (!box || box->isMinimized())
                                         return !box;
                                     // A window manager announces what the
                                     // user may do with the window.
                                     allowedActions = m_x.atomNames(
                                         box->winId(), "_NET_WM_ALLOWED_ACTIONS");
                                     if (m_windowManager && allowedActions.isEmpty())
                                         return false;
                                     motifHints = m_x.numbers(box->winId(), "_MOTIF_WM_HINTS");
                                     text = box->text();
                                     owner = box->parentWidget();
                                     m_input.tap(XTestInput::Return);
                                     return true;
                                 }});
        m_input.chord({XTestInput::Alt}, 'c');
        QTRY_VERIFY_WITH_TIMEOUT(script.finished(), 2 * kWait);
        QVERIFY(!script.timedOut);
        QCOMPARE(text, QStringLiteral("'abc' is not a valid floating point value."));
        QCOMPARE(owner, m_form.get());

        // A message box: a close button at most.
        if (m_windowManager) {
            QVERIFY(!allowedActions.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE_HORZ")));
            QVERIFY(!allowedActions.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE_VERT")));
            QVERIFY(!allowedActions.contains(QStringLiteral("_NET_WM_ACTION_RESIZE")));
            QVERIFY(allowedActions.contains(QStringLiteral("_NET_WM_ACTION_CLOSE")));
            // ### openbox never lets Motif hints remove a title bar button, so
            // it keeps minimise on every titled dialog; the hints below drop
            // it under window managers that honour them.
            QEXPECT_FAIL("", "openbox keeps minimise on every titled window", Continue);
            QVERIFY(!allowedActions.contains(QStringLiteral("_NET_WM_ACTION_MINIMIZE")));
        }
        QVERIFY(motifHints.size() >= 3);
        const long flags = motifHints[0], functions = motifHints[1], decorations = motifHints[2];
        // Functions: bit 0 inverts the list; minimise 8, maximise 16.
        QVERIFY(flags & 1);
        QCOMPARE(functions & (1 | 8 | 16), 0);
        // Decorations: minimise 32, maximise 64.
        if (flags & 2)
            QCOMPARE(decorations & (1 | 32 | 64), 0);

        // Back in the field with the keyboard, the text selected for retyping.
        QTRY_VERIFY_WITH_TIMEOUT(mainWindowHasKeyboard(), kWait);
        QCOMPARE(focusName(), QStringLiteral("xB"));
        QCOMPARE(field("xB")->selectedText(), QStringLiteral("abc"));
        m_input.type(QStringLiteral("6"));
        QTRY_COMPARE_WITH_TIMEOUT(field("xB")->text(), QStringLiteral("6"), kWait);
    }

    void aboutWindowAndBack()
    {
        tabs(7);
        m_input.type(QStringLiteral("0.4"));
        QTRY_COMPARE_WITH_TIMEOUT(field("xC3")->text(), QStringLiteral("0.4"), kWait);
        bool aboutShown = false;
        ModalScript script(m_x, {[&](QWidget *modal) {
                                     aboutShown = modal == m_about.get();
                                     // Enter presses its only button, "X".
                                     m_input.tap(XTestInput::Return);
                                     return true;
                                 }});
        m_input.chord({XTestInput::Alt}, 'i');
        QTRY_VERIFY_WITH_TIMEOUT(script.finished(), 2 * kWait);
        QVERIFY(!script.timedOut);
        QVERIFY(aboutShown);
        QTRY_VERIFY_WITH_TIMEOUT(mainWindowHasKeyboard(), kWait);
        QCOMPARE(focusName(), QStringLiteral("xC3"));
        QCOMPARE(field("xC3")->selectedText(), QStringLiteral("0.4"));
    }

    void longPasteBoxFitsTheScreen()
    {
        const QString pasted(100000, QLatin1Char('x'));
        QGuiApplication::clipboard()->setText(pasted);
        tabs(3);
        m_input.chord({XTestInput::Control}, 'v');
        QTRY_VERIFY_WITH_TIMEOUT(field("xB")->text().startsWith(QLatin1String("xxxxxxxx")), kWait);
        const QString kept = field("xB")->text();
        QCOMPARE(kept.size(), pasted.size());

        QRect available, frame, okButton;
        QString text, shown, copied;
        ModalScript script(
            m_x, {[&](QWidget *modal) {
                      auto *box = qobject_cast<ErrorMessageBox *>(modal);
                      if (!box)
                          return true;
                      // Where the X server has the box and its frame.
                      available = box->screen()->availableGeometry();
                      const QPoint at = m_x.screenPosition(box->winId());
                      QList<long> extents = m_x.numbers(box->winId(), "_NET_FRAME_EXTENTS");
                      extents.resize(4);
                      frame = QRect(at, box->size())
                                  .adjusted(-extents[0], -extents[2], extents[1], extents[3]);
                      QAbstractButton *ok = box->button(QMessageBox::Ok);
                      okButton = QRect(at + ok->mapTo(box, QPoint(0, 0)), ok->size());
                      text = box->text();
                      shown = box->shownText();
                      QGuiApplication::clipboard()->clear();
                      m_input.chord({XTestInput::Control}, 'c');
                      return true;
                  },
                  [&](QWidget *) {
                      copied = QGuiApplication::clipboard()->text();
                      if (copied.isEmpty())
                          return false;
                      m_input.tap(XTestInput::Return);
                      return true;
                  }});
        m_input.chord({XTestInput::Alt}, 'c');
        QTRY_VERIFY_WITH_TIMEOUT(script.finished(), 2 * kWait);
        QVERIFY(!script.timedOut);

        const QString message = QLatin1Char('\'') + kept
                                + QStringLiteral("' is not a valid floating point value.");
        QCOMPARE(text, message);
        QVERIFY2(available.contains(frame), qPrintable(QStringLiteral("box %1x%2 at %3,%4")
                                                           .arg(frame.width())
                                                           .arg(frame.height())
                                                           .arg(frame.x())
                                                           .arg(frame.y())));
        QVERIFY(available.contains(okButton));
        QVERIFY(shown.contains(QChar(0x2026)));
        QVERIFY(shown.size() < message.size());
        QVERIFY(copied.contains(ErrorBox::title() + QLatin1Char('\n')));
        QVERIFY(copied.contains(message + QLatin1Char('\n')));
        QTRY_VERIFY_WITH_TIMEOUT(mainWindowHasKeyboard(), kWait);
    }

    void angle90ShowsTheStartOfResults()
    {
        typeExample(QStringLiteral("90"));
        m_input.chord({XTestInput::Alt}, 'c');
        QTRY_COMPARE_WITH_TIMEOUT(field("xKms")->text(), QStringLiteral("20749840.7"), kWait);
        QCOMPARE(field("xEDeformacion")->text(), QStringLiteral("2.49164288087608E16"));
        QCOMPARE(field("xMs")->text(), QStringLiteral("5763844.64"));
        for (const char *name : {"xEDeformacion", "xMs", "xKms"}) {
            AutoSelectEdit *result = field(name);
            QCOMPARE(result->cursorPosition(), 0);
            QVERIFY(!result->hasSelectedText());
            // None of the three fits its field in the fonts setup installs:
            // each shows its start and marks the cut.
            QVERIFY2(!result->textFits(), name);
        }
    }
};

int main(int argc, char **argv)
{
    Application app(argc, argv);
    tst_EndToEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_EndToEnd.moc"
