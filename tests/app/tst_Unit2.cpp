// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "app/Unit1.h"
#include "app/Unit2.h"

namespace {

// Runs body once the about window is up inside its modal loop and has taken
// the focus (activation arrives a little after the modal loop starts). The
// window is closed afterwards whatever body did, so a failed check cannot
// leave the test waiting in the modal loop.
void whileShown(TForm2 &about, std::function<void()> body)
{
    auto *timer = new QTimer(&about);
    auto *waited = new QElapsedTimer;
    waited->start();
    QObject::connect(timer, &QTimer::timeout, &about, [&about, timer, waited, body] {
        if (QApplication::activeModalWidget() != &about)
            return;
        const QWidget *focus = QApplication::focusWidget();
        if ((!focus || focus->window() != &about) && waited->elapsed() < 5000)
            return;
        timer->stop();
        timer->deleteLater();
        delete waited;
        body();
        if (about.isVisible())
            about.reject();
    });
    timer->start(5);
}

} // namespace

class tst_Unit2 : public QObject
{
    Q_OBJECT
private slots:
    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("bold");
        QTest::newRow("Shape1") << "Shape1" << QByteArray("QFrame") << QRect(0, 0, 357, 395)
                                << "" << false;
        QTest::newRow("Image1") << "Image1" << QByteArray("QLabel") << QRect(1, 1, 355, 20)
                                << "" << false;
        QTest::newRow("Label20") << "Label20" << QByteArray("QLabel") << QRect(6, 4, 119, 13)
                                 << "Acerca del Programa" << true;
        QTest::newRow("Button2") << "Button2" << QByteArray("QPushButton")
                                 << QRect(333, 2, 21, 16) << "X" << true;
        QTest::newRow("RichEdit1") << "RichEdit1" << QByteArray("QLabel")
                                   << QRect(4, 24, 349, 366)
                                   << TForm2::aboutLines().join(QLatin1Char('\n')) << false;
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, kind);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(bool, bold);
        TForm2 about;
        QWidget *w = about.findChild<QWidget *>(name);
        QVERIFY(w);
        QCOMPARE(QByteArray(w->metaObject()->className()), kind);
        QCOMPARE(w->parentWidget(), &about);
        QCOMPARE(w->geometry(), geometry);
        QCOMPARE(w->font().pixelSize(), 11);
        QCOMPARE(w->font().bold(), bold);
        if (auto *l = qobject_cast<QLabel *>(w))
            QCOMPARE(l->text(), text);
        if (auto *b = qobject_cast<QPushButton *>(w))
            QCOMPARE(b->text(), text);
    }

    void aboutText_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        const QString rule98(98, QLatin1Char('-'));
        QTest::newRow("formula") << 0 << QString::fromUtf8("Programa basado en la fórmula de");
        QTest::newRow("blank after formula") << 1 << "";
        QTest::newRow("names") << 2 << "Campbell - McHenry";
        QTest::newRow("blank after names") << 3 << "";
        QTest::newRow("purpose, trailing blank")
            << 4 << QString::fromUtf8("Para calcular la velocidad de un vehículo por medio de seis ");
        QTest::newRow("purpose end") << 5 << QString::fromUtf8("medidas de deformación.");
        QTest::newRow("blank before credits") << 6 << "";
        QTest::newRow("opening rule") << 7 << rule98;
        QTest::newRow("from the end: address") << -1 << "https://www.nhtsa.gov";
        QTest::newRow("from the end: agency") << -2 << "National Highway Traffic Safety Administration";
        QTest::newRow("from the end: blank") << -3 << "";
        QTest::newRow("from the end: direction, trailing blank")
            << -4 << QString::fromUtf8("siguiente dirección: ");
        QTest::newRow("from the end: coefficients")
            << -5 << "Los Coeficientes de Rigidez puedes consultarlos desde la";
        QTest::newRow("from the end: blank after credits") << -6 << "";
        QTest::newRow("closing rule of 82") << -7 << QString(82, QLatin1Char('-'));
    }
    void aboutText()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        const QStringList lines = TForm2::aboutLines();
        QCOMPARE(lines.at(line >= 0 ? line : lines.size() + line), text);
    }

    void creditBlock()
    {
        // Between the opening rule and the closing one: the credits, a second
        // rule of 98, and how to send suggestions; no other rule.
        const QStringList lines = TForm2::aboutLines();
        const QString rule98(98, QLatin1Char('-'));
        const QStringList block = lines.mid(8, lines.size() - 7 - 8);
        QCOMPARE(block.count(rule98), 1);
        const qsizetype second = block.indexOf(rule98);
        QVERIFY(second >= 1);
        QVERIFY(second < block.size() - 1);
        for (const QString &line : block)
            QVERIFY2(!line.trimmed().isEmpty(), "no blank line inside the credit block");
    }

    void linesFitUnwrapped()
    {
        TForm2 about;
        QVERIFY(!about.RichEdit1->wordWrap());
        const QFontMetrics metrics(about.RichEdit1->font());
        for (const QString &line : TForm2::aboutLines())
            QVERIFY2(metrics.horizontalAdvance(line.trimmed()) <= about.RichEdit1->width(),
                     qPrintable(line));
        QVERIFY(metrics.height() * TForm2::aboutLines().size() <= about.RichEdit1->height());
    }

    void window()
    {
        TForm2 about;
        QCOMPARE(about.objectName(), QStringLiteral("Form2"));
        QCOMPARE(about.windowTitle(), QStringLiteral("Acerca de..."));
        QVERIFY(about.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(about.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(about.minimumSize(), QSize(357, 395));
        QCOMPARE(about.maximumSize(), QSize(357, 395));
        QVERIFY(!about.isVisible());
        QVERIFY(!about.RichEdit1->isEnabled());
        QCOMPARE(about.RichEdit1->textInteractionFlags(), Qt::NoTextInteraction);
    }

    void shownModallyAndReusable()
    {
        TForm1 form;
        TForm2 about;
        form.setAboutWindow(&about);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        for (int showing = 1; showing <= 2; ++showing) {
            bool checked = false;
            whileShown(about, [&] {
                QCOMPARE(about.windowModality(), Qt::ApplicationModal);
                const QRect desktop = about.screen()->availableGeometry();
                QVERIFY(std::abs(about.geometry().center().x() - desktop.center().x()) <= 1);
                QVERIFY(std::abs(about.geometry().center().y() - desktop.center().y()) <= 1);
                // The only control that takes focus.
                QCOMPARE(QApplication::focusWidget(), about.Button2);
                checked = true;
                QTest::keyClick(about.Button2, Qt::Key_Return);
            });
            form.xC5->setFocus();
            form.InformacionClick();
            QVERIFY(checked);
            QVERIFY(!about.isVisible());
            QTRY_COMPARE(QApplication::focusWidget(), form.xC5);
            QCOMPARE(about.result(), int(QDialog::Rejected));
        }
    }

    void mainWindowTakesNoInputMeanwhile()
    {
        TForm1 form;
        TForm2 about;
        form.setAboutWindow(&about);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.xC2->setText(QStringLiteral("0.7"));
        bool checked = false;
        whileShown(about, [&] {
            // A click on "&Limpiar Casillas" goes through the window system,
            // which holds it back from the blocked main window.
            const QPoint centre = form.Limpiar->mapTo(&form, form.Limpiar->rect().center());
            QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, centre);
            QCOMPARE(form.xC2->text(), QStringLiteral("0.7"));
            checked = true;
            QTest::mouseClick(about.Button2, Qt::LeftButton);
        });
        form.InformacionClick();
        QVERIFY(checked);
        // Usable again, fields as they were.
        QCOMPARE(form.xC2->text(), QStringLiteral("0.7"));
        const QPoint centre = form.Limpiar->mapTo(&form, form.Limpiar->rect().center());
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, centre);
        QCOMPARE(form.xC2->text(), QStringLiteral("0.00"));
    }

    void titleStripCannotDrag()
    {
        TForm2 about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const QPoint start = about.pos();
        QTest::mousePress(about.Image1, Qt::LeftButton, {}, QPoint(50, 5));
        QTest::mouseMove(about.Image1, QPoint(90, 25));
        QTest::mouseRelease(about.Image1, Qt::LeftButton, {}, QPoint(90, 25));
        QCOMPARE(about.pos(), start);
    }
};

QTEST_MAIN(tst_Unit2)
#include "tst_Unit2.moc"
