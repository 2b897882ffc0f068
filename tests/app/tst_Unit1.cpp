// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "platform/AutoSelectEdit.h"
#include "platform/ErrorBox.h"
#include "platform/WindowDrag.h"

namespace {

// The fifteen fields in the order "&Limpiar Casillas" writes them.
const QStringList kClearedFields = {
    "xMasa", "xBatalla", "xA", "xB", "xL", "xC1", "xC2", "xC3",
    "xC4", "xC5", "xC6", "xAnguloFPI", "xEDeformacion", "xMs", "xKms"};

// The focus cycle of the window's tab stops.
const QStringList kFocusCycle = {
    "xMasa", "xBatalla", "xA", "xB", "xL", "xC1", "xC2", "xC3", "xC4", "xC5",
    "xC6", "xAnguloFPI", "xEDeformacion", "xMs", "xKms",
    "Calcular", "Limpiar", "Informacion", "Cerrar"};

// Closes whatever modal window opens while it lives (error box: OK; about
// window: rejected) and records the first error box.
class ModalCloser : public QObject
{
public:
    ModalCloser()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start(5);
    }
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            if (boxes++ == 0)
                caption = box->windowTitle();
            texts << box->text();
            box->button(QMessageBox::Ok)->click();
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            ++dialogs;
            dialog->reject();
        }
    }
    int boxes = 0;
    int dialogs = 0;
    QString caption;
    QStringList texts;

private:
    QTimer m_timer;
};

QString ascii(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace

class tst_Unit1 : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TForm1> m_form;

    TForm1 &shownForm()
    {
        m_form = std::make_unique<TForm1>();
        m_form->show();
        m_form->activateWindow();
        if (!QTest::qWaitForWindowActive(m_form.get()))
            qWarning("main window did not become active");
        return *m_form;
    }
    QLineEdit *field(const QString &name) { return m_form->findChild<QLineEdit *>(name); }
    QWidget *control(const QString &name) { return m_form->findChild<QWidget *>(name); }
    static QString focusName()
    {
        const QWidget *focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }

private slots:
    void initTestCase() { ErrorBox::setTitle(QStringLiteral("Velocidad")); }
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup()
    {
        m_form.reset();
        QLocale::setDefault(QLocale::c());
    }

    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");

        const QByteArray label = "QLabel", edit = "AutoSelectEdit", button = "QPushButton",
                         group = "QGroupBox";
        auto row = [](const char *name, const QByteArray &kind, const char *parent, QRect r,
                      const QString &text, int pixels = 11, bool bold = false) {
            QTest::newRow(name) << ascii(name) << kind << ascii(parent) << r << text << pixels
                                << bold;
        };
        row("Shape1", "QFrame", "Form1", {0, 0, 655, 397}, "");
        row("Label9", label, "Form1", {197, 112, 90, 13}, ascii("Angulo de Colisión:"));
        row("Image1", label, "Form1", {1, 1, 653, 20}, "");
        row("Label29", label, "Form1", {371, 360, 269, 13},
            ascii("Versión diseñada para países donde el"), 11, true);
        row("Label30", label, "Form1", {371, 376, 269, 13},
            ascii("signo decimal sea igual al punto \".\""), 11, true);
        row("xAnguloFPI", edit, "Form1", {290, 110, 52, 21}, "0.00");
        row("GroupBox1", group, "Form1", {11, 143, 167, 199}, " Mediciones Zona Deformada ");
        row("GroupBox2", group, "Form1", {192, 29, 153, 72}, " Coeficientes de Rigidez ");
        row("GroupBox3", group, "Form1", {191, 143, 153, 79}, "");
        row("GroupBox4", group, "Form1", {192, 225, 153, 117}, "");
        row("GroupBox5", group, "Form1", {11, 29, 168, 108}, "");
        row("Calcular", button, "Form1", {11, 345, 139, 25}, "&Calcular");
        row("Cerrar", button, "Form1", {630, 2, 21, 16}, "X", 11, true);
        row("Limpiar", button, "Form1", {157, 345, 91, 25}, "&Limpiar Casillas");
        row("Informacion", button, "Form1", {255, 345, 89, 25}, "&Informacion");

        row("RichEdit1", label, "GroupBox5", {8, 7, 153, 44},
            ascii("Datos de referencia para \nelección de valores de \ncoeficiente de rigidez"));
        row("Label1", label, "GroupBox5", {22, 59, 29, 13}, "Masa:");
        row("xMasa", edit, "GroupBox5", {61, 56, 57, 21}, "0.00");
        row("Label3", label, "GroupBox5", {124, 60, 15, 13}, "kg.");
        row("Label2", label, "GroupBox5", {23, 84, 35, 13}, "Batalla:");
        row("xBatalla", edit, "GroupBox5", {61, 80, 58, 21}, "0.00");
        row("Label4", label, "GroupBox5", {125, 83, 20, 13}, "Mts.");

        row("Label7", label, "GroupBox2", {13, 24, 10, 13}, "A:");
        row("xA", edit, "GroupBox2", {29, 20, 77, 21}, "0.00");
        row("Label5", label, "GroupBox2", {111, 24, 21, 13}, "N/m");
        row("Label8", label, "GroupBox2", {14, 48, 10, 13}, "B:");
        row("xB", edit, "GroupBox2", {29, 44, 77, 21}, "0.00");
        row("Label6", label, "GroupBox2", {112, 47, 33, 13}, "N/m^2");

        row("Label13", label, "GroupBox1", {12, 28, 9, 13}, "L:");
        row("xL", edit, "GroupBox1", {32, 24, 92, 21}, "0.00");
        row("Label22", label, "GroupBox1", {127, 28, 31, 13}, "metros");
        row("Label14", label, "GroupBox1", {12, 51, 16, 13}, "C1:");
        row("xC1", edit, "GroupBox1", {32, 48, 92, 21}, "0.00");
        row("Label15", label, "GroupBox1", {12, 75, 16, 13}, "C2:");
        row("xC2", edit, "GroupBox1", {32, 72, 92, 21}, "0.00");
        row("Label16", label, "GroupBox1", {12, 100, 16, 13}, "C3:");
        row("xC3", edit, "GroupBox1", {32, 96, 92, 21}, "0.00");
        row("Label17", label, "GroupBox1", {12, 123, 16, 13}, "C4:");
        row("xC4", edit, "GroupBox1", {32, 120, 92, 21}, "0.00");
        row("Label18", label, "GroupBox1", {12, 146, 16, 13}, "C5:");
        row("xC5", edit, "GroupBox1", {32, 144, 92, 21}, "0.00");
        row("Label19", label, "GroupBox1", {12, 170, 16, 13}, "C6:");
        row("xC6", edit, "GroupBox1", {32, 168, 92, 21}, "0.00");
        row("Label28", label, "GroupBox1", {127, 170, 31, 13}, "metros");

        row("RichEdit2", label, "GroupBox3", {2, 8, 148, 29},
            ascii("Energía perdida por \ndeformación"));
        row("xEDeformacion", edit, "GroupBox3", {8, 39, 109, 31}, "0.00", 19, true);
        row("Label10", label, "GroupBox3", {121, 49, 26, 13}, "Julios");

        row("RichEdit3", label, "GroupBox4", {2, 8, 148, 29},
            ascii("Velocidad Equivalente de \nBarrera (EBS)"));
        row("xMs", edit, "GroupBox4", {13, 41, 99, 31}, "0.00", 19, true);
        row("Label11", label, "GroupBox4", {116, 49, 18, 13}, "m/s");
        row("xKms", edit, "GroupBox4", {13, 78, 99, 31}, "0.00", 19, true);
        row("Label12", label, "GroupBox4", {115, 84, 25, 13}, "km/h");
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, kind);
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);

        TForm1 form;
        const auto matches = form.findChildren<QWidget *>(name);
        QCOMPARE(matches.size(), 1);
        QWidget *w = matches.first();
        QCOMPARE(QByteArray(w->metaObject()->className()), kind);
        QCOMPARE(w->parentWidget()->objectName(), parent);
        QCOMPARE(w->geometry(), geometry);
        QCOMPARE(w->font().pixelSize(), pixelSize);
        QCOMPARE(w->font().bold(), bold);
        if (auto *l = qobject_cast<QLabel *>(w))
            QCOMPARE(l->text(), text);
        else if (auto *e = qobject_cast<QLineEdit *>(w))
            QCOMPARE(e->text(), text);
        else if (auto *b = qobject_cast<QPushButton *>(w))
            QCOMPARE(b->text(), text);
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            QCOMPARE(g->title(), text);
    }

    void window()
    {
        TForm1 form;
        QCOMPARE(form.objectName(), QStringLiteral("Form1"));
        QVERIFY(form.isWindow());
        QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(form.size(), QSize(655, 397));
        QCOMPARE(form.minimumSize(), QSize(655, 397));
        QCOMPARE(form.maximumSize(), QSize(655, 397));
        QVERIFY(!form.windowTitle().isEmpty());
        QCOMPARE(form.font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(form.font().pixelSize(), 11);
        QVERIFY(form.DialGauge1);
        QCOMPARE(form.DialGauge1->objectName(), QStringLiteral("DialGauge1"));
        QCOMPARE(form.DialGauge1->geometry(), QRect(348, 34, 303, 308));
    }

    void centredOnceBeforeFirstShow()
    {
        TForm1 &form = shownForm();
        const QRect desktop = form.screen()->availableGeometry();
        QVERIFY(std::abs(form.geometry().center().x() - desktop.center().x()) <= 1);
        QVERIFY(std::abs(form.geometry().center().y() - desktop.center().y()) <= 1);
        // Shown again after being moved away (minimised and restored): it
        // stays where the user put it.
        form.move(desktop.topLeft() + QPoint(5, 7));
        form.hide();
        form.show();
        QCOMPARE(form.pos(), desktop.topLeft() + QPoint(5, 7));
    }

    void labelsHoldTheirText()
    {
        // A cut-off caption ("metro" for "metros") is a layout fault: every
        // line of every label fits its width in the font it is drawn with.
        TForm1 form;
        for (QLabel *label : form.findChildren<QLabel *>()) {
            const QFontMetrics metrics(label->font());
            for (const QString &line : label->text().split(QLatin1Char('\n'))) {
                QVERIFY2(metrics.horizontalAdvance(line.trimmed()) <= label->width(),
                         qPrintable(label->objectName() + QStringLiteral(": ") + line));
            }
        }
    }

    void colours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        QTest::addColumn<QColor>("colour");
        const int text = QPalette::Text, windowText = QPalette::WindowText;
        const QColor blue(0, 128, 255), navy(0, 0, 128), red(255, 0, 0), black(0, 0, 0);
        QTest::newRow("angle caption blue") << "Label9" << windowText << blue;
        QTest::newRow("credit navy") << "Label21" << windowText << navy;
        QTest::newRow("notice red, first line") << "Label29" << windowText << red;
        QTest::newRow("notice red, second line") << "Label30" << windowText << red;
        QTest::newRow("group caption blue") << "GroupBox1" << windowText << blue;
        QTest::newRow("label in group blue") << "Label22" << windowText << blue;
        QTest::newRow("reference text blue") << "RichEdit1" << windowText << blue;
        QTest::newRow("input text black") << "xC3" << text << black;
        QTest::newRow("angle text black") << "xAnguloFPI" << text << black;
        QTest::newRow("energy navy") << "xEDeformacion" << text << navy;
        QTest::newRow("speed m/s aqua") << "xMs" << text << QColor(0, 255, 255);
        QTest::newRow("speed km/h navy") << "xKms" << text << navy;
        QTest::newRow("group background white") << "GroupBox4" << int(QPalette::Window)
                                                << QColor(Qt::white);
    }
    void colours()
    {
        QFETCH(QString, name);
        QFETCH(int, role);
        QFETCH(QColor, colour);
        TForm1 form;
        QWidget *w = form.findChild<QWidget *>(name);
        QVERIFY(w);
        QCOMPARE(w->palette().color(QPalette::Active, QPalette::ColorRole(role)), colour);
        // Disabled text blocks keep their colour instead of turning grey.
        QCOMPARE(w->palette().color(w->isEnabled() ? QPalette::Active : QPalette::Disabled,
                                    QPalette::ColorRole(role)),
                 colour);
    }

    void painted()
    {
        TForm1 form;
        const QImage image = form.grab().toImage();
        const QColor frame(94, 174, 255);
        QCOMPARE(image.pixelColor(0, 200), frame);
        QCOMPARE(image.pixelColor(654, 200), frame);
        QCOMPARE(image.pixelColor(300, 396), frame);
        QCOMPARE(image.pixelColor(0, 0), frame);
        QCOMPARE(image.pixelColor(300, 390), QColor(Qt::white));
        QCOMPARE(image.pixelColor(185, 200), QColor(Qt::white));
        // The title strip: light blue at its top, one dark line at its foot.
        const QColor top = image.pixelColor(400, 1), foot = image.pixelColor(400, 20);
        QVERIFY(std::abs(top.red() - 95) <= 4 && std::abs(top.blue() - 251) <= 4);
        QVERIFY(std::abs(foot.red() - 122) <= 4 && std::abs(foot.green() - 173) <= 4);
        QCOMPARE(image.pixelColor(400, 21), QColor(Qt::white));
    }

    void staticTextNeverTakesFocus()
    {
        TForm1 form;
        for (const char *name : {"RichEdit1", "RichEdit2", "RichEdit3"}) {
            QWidget *w = form.findChild<QWidget *>(ascii(name));
            QVERIFY(!w->isEnabled());
            QCOMPARE(w->focusPolicy(), Qt::NoFocus);
        }
    }

    void startsInMass()
    {
        shownForm();
        QCOMPARE(QApplication::focusWidget(), control("xMasa"));
    }

    void tabCycle()
    {
        shownForm();
        QStringList visited;
        for (int i = 0; i < kFocusCycle.size(); ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, kFocusCycle);
        QCOMPARE(QApplication::focusWidget(), control("xMasa"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), control("Cerrar"));
    }

    void enterMovesFocus_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("to");
        const int none = Qt::NoModifier;
        QTest::newRow("mass to wheelbase") << "xMasa" << int(Qt::Key_Return) << none << "xBatalla";
        QTest::newRow("B to L, across groups") << "xB" << int(Qt::Key_Return) << none << "xL";
        QTest::newRow("C6 to angle, not the nearer field") << "xC6" << int(Qt::Key_Return)
                                                            << none << "xAnguloFPI";
        QTest::newRow("angle to energy result") << "xAnguloFPI" << int(Qt::Key_Return) << none
                                                << "xEDeformacion";
        QTest::newRow("read-only m/s to km/h") << "xMs" << int(Qt::Key_Return) << none << "xKms";
        QTest::newRow("km/h to Calcular") << "xKms" << int(Qt::Key_Return) << none << "Calcular";
        QTest::newRow("keypad Enter") << "xC1" << int(Qt::Key_Enter) << int(Qt::KeypadModifier)
                                      << "xC2";
        QTest::newRow("Shift+Enter") << "xA" << int(Qt::Key_Return) << int(Qt::ShiftModifier)
                                     << "xB";
    }
    void enterMovesFocus()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, to);
        shownForm();
        QLineEdit *edit = field(from);
        edit->setFocus();
        QCOMPARE(QApplication::focusWidget(), edit);
        const QString before = edit->text();
        QSignalSpy returnPressed(edit, &QLineEdit::returnPressed);
        QTest::keyClick(edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
        // The field never saw the key.
        QCOMPARE(returnPressed.count(), 0);
        QCOMPARE(edit->text(), before);
    }

    void otherKeysReachTheField()
    {
        shownForm();
        QLineEdit *edit = field("xMasa");
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("1500"));
        QCOMPARE(edit->text(), QStringLiteral("1500"));
        QCOMPARE(QApplication::focusWidget(), edit);
    }

    void resultFieldsAreReadOnly()
    {
        shownForm();
        for (const char *name : {"xEDeformacion", "xMs", "xKms"}) {
            QLineEdit *edit = field(ascii(name));
            QVERIFY(edit->isReadOnly());
            edit->setFocus();
            QCOMPARE(QApplication::focusWidget(), edit);
            QTest::keyClicks(edit, QStringLiteral("12"));
            QCOMPARE(edit->text(), QStringLiteral("0.00"));
        }
    }

    void enterOnFocusedButtonPressesIt()
    {
        TForm1 &form = shownForm();
        field("xC4")->setText(QStringLiteral("9"));
        form.Limpiar->setFocus();
        QTest::keyClick(form.Limpiar, Qt::Key_Return);
        // Limpiar ran (fields cleared, focus to the mass) instead of the
        // focus simply moving on to Informacion.
        QCOMPARE(field("xC4")->text(), QStringLiteral("0.00"));
        QCOMPARE(QApplication::focusWidget(), control("xMasa"));
    }

    void zeroText_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("zero");
        QTest::newRow("C") << QLocale::c() << "0.00";
        QTest::newRow("English, US") << QLocale(QLocale::English, QLocale::UnitedStates)
                                     << "0.00";
        QTest::newRow("Spanish, Spain") << QLocale(QLocale::Spanish, QLocale::Spain) << "0,00";
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "0,00";
    }
    void initialTexts_data() { zeroText_data(); }
    void initialTexts()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, zero);
        QLocale::setDefault(locale);
        m_form = std::make_unique<TForm1>();
        for (const QString &name : kClearedFields)
            QCOMPARE(field(name)->text(), zero);
    }

    void limpiar_data() { zeroText_data(); }
    void limpiar()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, zero);
        QLocale::setDefault(locale);
        TForm1 &form = shownForm();
        QStringList written;
        for (const QString &name : kClearedFields) {
            QLineEdit *edit = field(name);
            edit->setText(name + QStringLiteral("?"));
            connect(edit, &QLineEdit::textChanged, this,
                    [&written, name](const QString &) { written << name; });
        }
        field("xC5")->setFocus();
        form.LimpiarClick();
        QCOMPARE(written, kClearedFields);
        for (const QString &name : kClearedFields)
            QCOMPARE(field(name)->text(), zero);
        QCOMPARE(QApplication::focusWidget(), control("xMasa"));
    }

    void accelerators_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("focusAfter");
        QTest::newRow("Alt+C") << int(Qt::Key_C) << "Calcular" << "xC3";
        QTest::newRow("Alt+L") << int(Qt::Key_L) << "Limpiar" << "xMasa";
        QTest::newRow("Alt+I") << int(Qt::Key_I) << "Informacion" << "xC3";
    }
    void accelerators()
    {
        QFETCH(int, key);
        QFETCH(QString, button);
        QFETCH(QString, focusAfter);
        shownForm();
        field("xC3")->setFocus();
        ModalCloser closer;
        QSignalSpy clicked(m_form->findChild<QPushButton *>(button), &QPushButton::clicked);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
        QCOMPARE(clicked.count(), 1);
        if (button == QLatin1String("Informacion"))
            QCOMPARE(closer.dialogs, 1);
        // The press does not pull the focus out of the field.
        QTRY_COMPARE(focusName(), focusAfter);
    }

    void closeHasNoAccelerator()
    {
        TForm1 &form = shownForm();
        QSignalSpy clicked(form.Cerrar, &QPushButton::clicked);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
        QTest::qWait(150);
        QCOMPARE(clicked.count(), 0);
        QVERIFY(form.isVisible());
    }

    void cerrarClosesTheWindow()
    {
        TForm1 &form = shownForm();
        QTest::mouseClick(form.Cerrar, Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }

    void informacionShowsAboutModally()
    {
        TForm1 &form = shownForm();
        TForm2 about;
        form.setAboutWindow(&about);
        bool modalWhileOpen = false;
        QTimer::singleShot(20, &about, [&] {
            modalWhileOpen = QApplication::activeModalWidget() == &about;
            about.Button2->click();
        });
        form.InformacionClick();
        QVERIFY(modalWhileOpen);
        QVERIFY(!about.isVisible());
    }

    void drag_data()
    {
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("moves");
        QTest::newRow("title strip, left") << "Image1" << int(Qt::LeftButton) << true;
        QTest::newRow("title strip, right") << "Image1" << int(Qt::RightButton) << true;
        QTest::newRow("title text, middle") << "Label20" << int(Qt::MiddleButton) << true;
        QTest::newRow("group box") << "GroupBox3" << int(Qt::LeftButton) << false;
        QTest::newRow("background") << "Shape1" << int(Qt::LeftButton) << false;
    }
    void drag()
    {
        QFETCH(QString, pressed);
        QFETCH(int, button);
        QFETCH(bool, moves);
        TForm1 &form = shownForm();
        QWidget *target = control(pressed);
        const QPoint start = form.pos();
        const QPoint at(5, 5);
        const QPoint delta(37, -21);
        QTest::mousePress(target, Qt::MouseButton(button), {}, at);
        QTest::mouseMove(target, at + delta);
        QCOMPARE(form.pos(), moves ? start + delta : start);
        QTest::mouseRelease(target, Qt::MouseButton(button), {}, at + delta);
        QVERIFY(!WindowDrag::isFollowing());
        QCOMPARE(form.pos(), moves ? start + delta : start);
    }

    // With the calculation in place: the whole road from typed text to
    // results or error box.
    void calculation_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("energy");
        QTest::addColumn<QString>("ms");
        QTest::addColumn<QString>("kmh");
        QTest::newRow("point") << QLocale::c() << "43862.5" << "7.65" << "27.54";
        // Typed with the comma and starting from the window's own "0,00"
        // in the result fields.
        QTest::newRow("comma") << QLocale(QLocale::Spanish, QLocale::Spain) << "43862,5"
                               << "7,65" << "27,54";
    }
    void calculation()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, energy);
        QFETCH(QString, ms);
        QFETCH(QString, kmh);
        QLocale::setDefault(locale);
        TForm1 &form = shownForm();
        const QChar point = TForm1::zeroText().at(1);
        const std::pair<const char *, const char *> typed[] = {
            {"xMasa", "1500"}, {"xA", "35000"}, {"xB", "300000"}, {"xAnguloFPI", "0"},
            {"xL", "1.5"},    {"xC1", "0.2"},  {"xC2", "0.3"},    {"xC3", "0.4"},
            {"xC4", "0.4"},   {"xC5", "0.3"},  {"xC6", "0.2"}};
        for (const auto &[name, text] : typed) {
            QLineEdit *edit = field(ascii(name));
            edit->clear();
            QTest::keyClicks(edit, ascii(text).replace(QLatin1Char('.'), point));
        }
        ModalCloser closer;
        QTest::mouseClick(form.Calcular, Qt::LeftButton);
        QCOMPARE(closer.boxes, 0);
        QCOMPARE(field("xEDeformacion")->text(), energy);
        QCOMPARE(field("xMs")->text(), ms);
        QCOMPARE(field("xKms")->text(), kmh);
    }

    void errorBoxAndWindowGoesOn_data() { zeroText_data(); }
    void errorBoxAndWindowGoesOn()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, zero);
        QLocale::setDefault(locale);
        TForm1 &form = shownForm();
        ModalCloser closer;
        // Every field at its start-up text: A and B are both zero.
        QTest::mouseClick(form.Calcular, Qt::LeftButton);
        QCOMPARE(closer.boxes, 1);
        QCOMPARE(closer.caption, QStringLiteral("Velocidad"));
        QCOMPARE(closer.texts.value(0), QStringLiteral("Invalid floating point operation."));
        for (const QString &name : kClearedFields)
            QCOMPARE(field(name)->text(), zero);
        // The window is usable after OK, the keyboard back on the button.
        QTRY_COMPARE(focusName(), QStringLiteral("Calcular"));
        field("xBatalla")->setText(QStringLiteral("abc"));
        QTest::mouseClick(form.Calcular, Qt::LeftButton);
        QCOMPARE(closer.boxes, 2);
        QCOMPARE(closer.texts.value(1),
                 QStringLiteral("'abc' is not a valid floating point value."));
        QVERIFY(form.isVisible());
    }

    // Typing over a field replaces what the program or the user left in it.
    void typingAtStartReplacesTheZero()
    {
        shownForm();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1500"));
        QCOMPARE(field("xMasa")->text(), QStringLiteral("1500"));
    }

    void limpiarThenTyping_data()
    {
        QTest::addColumn<bool>("byClick");
        QTest::addColumn<QString>("from");
        QTest::newRow("click") << true << "xMasa";
        QTest::newRow("Alt+L in the mass field") << false << "xMasa";
        QTest::newRow("Alt+L in C3") << false << "xC3";
    }
    void limpiarThenTyping()
    {
        QFETCH(bool, byClick);
        QFETCH(QString, from);
        TForm1 &form = shownForm();
        field(from)->setFocus();
        QTest::keyClicks(field(from), QStringLiteral("9"));
        QVERIFY(!field(from)->hasSelectedText());
        if (byClick)
            QTest::mouseClick(form.Limpiar, Qt::LeftButton);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::AltModifier);
        QCOMPARE(focusName(), QStringLiteral("xMasa"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
        QCOMPARE(field("xMasa")->text(), QStringLiteral("5"));
    }

    void returnFromModalSelects_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("error box") << int(Qt::Key_C) << "abc";
        QTest::newRow("about window") << int(Qt::Key_I) << "0.4";
    }
    void returnFromModalSelects()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        shownForm();
        field("xB")->setFocus();
        QTest::keyClicks(field("xB"), text);
        QCOMPARE(field("xB")->text(), text);
        ModalCloser closer;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
        QCOMPARE(closer.boxes + closer.dialogs, 1);
        QTRY_COMPARE(focusName(), QStringLiteral("xB"));
        QCOMPARE(field("xB")->selectedText(), text);
        QTest::keyClicks(field("xB"), QStringLiteral("6"));
        QCOMPARE(field("xB")->text(), QStringLiteral("6"));
    }

    void altLetterInsertsNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("Alt+X") << int(Qt::Key_X) << "x";
        QTest::newRow("Alt+Q") << int(Qt::Key_Q) << "q";
        QTest::newRow("Alt+Z") << int(Qt::Key_Z) << "z";
    }
    void altLetterInsertsNothing()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        shownForm();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12"));
        // The key carries its letter, as the X server sends it.
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key(key), text,
                            Qt::AltModifier);
        QCOMPARE(field("xMasa")->text(), QStringLiteral("12"));
    }

    void resultsShowTheirStart_data()
    {
        QTest::addColumn<QString>("angle");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QList<bool>>("fit");
        QTest::newRow("worked example: all fit")
            << "0" << QStringList{"43862.5", "7.65", "27.54"} << QList<bool>{true, true, true};
        // The wider stand-in for "Tahoma" cuts all three.
        QTest::newRow("angle 90: none fits")
            << "90" << QStringList{"2.49164288087608E16", "5763844.64", "20749840.7"}
            << QList<bool>{false, false, false};
    }
    void resultsShowTheirStart()
    {
        QFETCH(QString, angle);
        QFETCH(QStringList, results);
        QFETCH(QList<bool>, fit);
        TForm1 &form = shownForm();
        const std::pair<const char *, const char *> typed[] = {
            {"xMasa", "1500"}, {"xA", "35000"}, {"xB", "300000"}, {"xL", "1.5"},
            {"xC1", "0.2"},    {"xC2", "0.3"},  {"xC3", "0.4"},   {"xC4", "0.4"},
            {"xC5", "0.3"},    {"xC6", "0.2"}};
        for (const auto &[name, text] : typed)
            field(ascii(name))->setText(ascii(text));
        field("xAnguloFPI")->setText(angle);
        ModalCloser closer;
        QTest::mouseClick(form.Calcular, Qt::LeftButton);
        QCOMPARE(closer.boxes, 0);
        const QStringList names = {"xEDeformacion", "xMs", "xKms"};
        for (int i = 0; i < names.size(); ++i) {
            auto *result = qobject_cast<AutoSelectEdit *>(field(names[i]));
            QVERIFY(result);
            QCOMPARE(result->text(), results[i]);
            QCOMPARE(result->cursorPosition(), 0);
            QCOMPARE(result->textFits(), fit[i]);
            QCOMPARE(result->size(), result->geometry().size());
        }
        QCOMPARE(field("xKms")->width(), 99);
    }

    void errorKeepsWhatWasWritten()
    {
        // A negative energy is written, then the square root fails: the
        // energy stays, the speeds keep their old texts.
        TForm1 &form = shownForm();
        form.xA->setText(QStringLiteral("0"));
        form.xB->setText(QStringLiteral("-6"));
        form.xL->setText(QStringLiteral("5"));
        form.xC1->setText(QStringLiteral("1"));
        form.xMasa->setText(QStringLiteral("1"));
        form.xMs->setText(QStringLiteral("3"));
        ModalCloser closer;
        QTest::mouseClick(form.Calcular, Qt::LeftButton);
        QCOMPARE(closer.texts, QStringList{QStringLiteral("Invalid floating point operation.")});
        QCOMPARE(form.xEDeformacion->text(), QStringLiteral("-1"));
        QCOMPARE(form.xMs->text(), QStringLiteral("3"));
        QCOMPARE(form.xKms->text(), QStringLiteral("0.00"));
    }
};

QTEST_MAIN(tst_Unit1)
#include "tst_Unit1.moc"
