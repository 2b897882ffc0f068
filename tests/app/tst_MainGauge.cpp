// SPDX-License-Identifier: MIT
#include <QMessageBox>
#include <QtTest>

#include "app/MainGauge.h"
#include "gauge/DialGauge.h"
#include "platform/WindowTimer.h"
#include "tests/gauge/GaugeTestSupport.h"

namespace {

// Every property the gauge adds to QWidget's, appearance objects' by dotted
// name ("Arc.Threshold.Center").
QMap<QString, QVariant> properties(const QObject &object, int first, const QString &prefix = {})
{
    QMap<QString, QVariant> result;
    const QMetaObject *meta = object.metaObject();
    for (int i = first; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QString name = prefix + QLatin1String(property.name());
        const QVariant value = property.read(&object);
        if (property.metaType().flags() & QMetaType::PointerToQObject)
            result.insert(properties(*qvariant_cast<QObject *>(value), QObject::staticMetaObject.propertyCount(),
                                     name + QLatin1Char('.')));
        else
            result.insert(name, value);
    }
    return result;
}

} // namespace

class tst_MainGauge : public QObject
{
    Q_OBJECT

private slots:
    void configuration();
    void testCopyMatches();
    void geometryAfterShow();
    void speedGlidesToValue();
    void speedAboveRangeIsIgnored();
    void refusedFormatShowsOneBoxPerFormat();
};

void tst_MainGauge::configuration()
{
    QWidget window;
    auto *g = qobject_cast<TDialGauge *>(MainGauge::create(&window));
    QVERIFY(g);
    QCOMPARE(g->objectName(), QStringLiteral("DialGauge1"));
    QCOMPARE(window.findChild<TDialGauge *>(QStringLiteral("DialGauge1")), g);
    QCOMPARE(g->geometry(), QRect(348, 34, 303, 308));
    QVERIFY(!g->IsLoading());
    QCOMPARE(g->TabStop(), false);
    QCOMPARE(g->focusPolicy(), Qt::NoFocus);
    QCOMPARE(g->MinimumValue(), 0);
    QCOMPARE(g->MaximumValue(), 250);
    QCOMPARE(g->Value(), 0.0);
    QCOMPARE(g->Digit()->Color(), TColor(9841920));
    QCOMPARE(g->Digit()->BackGroundColor(), TColor(16773091));
    QCOMPARE(g->OuterCircle()->Color(), TColor(16765615));
    QCOMPARE(g->OuterCircle()->Width(), 0.03);
    QCOMPARE(g->InnerCircle()->Color(), TColor(16765615));
    QCOMPARE(g->OuterRim()->Width(), 1);
    QCOMPARE(g->Needle()->Color(), TColor(16765615));
    QCOMPARE(g->Needle()->ShineColor(), TColor(16773091));
    QCOMPARE(g->Needle()->OuterCenterColor(), TColor(16765357));
    QCOMPARE(g->Needle()->InnerCenterColor(), TColor(16765615));
    QCOMPARE(g->Needle()->InnerCenterColorTo(), TColor(16765615));
    QCOMPARE(g->Arc()->Color(), TColor(16773091));
    QCOMPARE(g->Arc()->StartAngle(), 125);
    QCOMPARE(g->Arc()->StopAngle(), 415);
    QCOMPARE(g->Arc()->Threshold()->Color(), TColor(16765615));
    QCOMPARE(g->Arc()->Threshold()->Center(), 25.0);
    QCOMPARE(g->Arc()->Threshold()->EndValue(), 100.0);
    QCOMPARE(g->DivisionColor(), TColor(9841920));
    QCOMPARE(g->SubDivisionColor(), TColor(9841920));
    QCOMPARE(g->Font()->Name(), QStringLiteral("Tahoma"));
    QCOMPARE(g->Font()->Size(), 14);
    QCOMPARE(g->Font()->Color(), TColor(9841920));
    QCOMPARE(g->ValueFont()->Size(), 11);
    QCOMPARE(g->ValueFont()->Color(), TColor(9841920));
    QCOMPARE(g->ValueFormat(), QStringLiteral("000.00"));
    QCOMPARE(g->Sections()->Count(), 0);
    // Untouched defaults.
    QCOMPARE(g->OuterRim()->Color(), TColor(0x908070));
    QCOMPARE(g->Arc()->Opacity(), 200);
}

// The painter tests and the benchmark draw a copy of this configuration.
void tst_MainGauge::testCopyMatches()
{
    QWidget window;
    auto *g = qobject_cast<TDialGauge *>(MainGauge::create(&window));
    const auto copy = mainWindowGauge(0);
    const int first = QWidget::staticMetaObject.propertyCount();
    const QMap<QString, QVariant> expected = properties(*g, first);
    const QMap<QString, QVariant> actual = properties(*copy, first);
    QCOMPARE(actual.keys(), expected.keys());
    QVERIFY(expected.contains("Arc.Threshold.Center"));
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QVERIFY2(actual.value(it.key()) == it.value(), qPrintable(it.key()));
    QCOMPARE(copy->size(), g->size());
}

void tst_MainGauge::geometryAfterShow()
{
    QWidget window;
    window.resize(653, 400);
    auto *g = qobject_cast<TDialGauge *>(MainGauge::create(&window));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(g->DialLeft(), 6);
    QCOMPARE(g->DialTop(), 6);
    QCOMPARE(g->DialWidth(), 291);
    QCOMPARE(g->DialHeight(), 296);
    QCOMPARE(g->ArcRect(), QRectF(15, 15, 273, 278));
    QCOMPARE(g->ThresholdBandStart(), 125.0);
    QCOMPARE(g->ThresholdBandSweep(), 67.5);
}

void tst_MainGauge::speedGlidesToValue()
{
    QWidget window;
    auto *g = qobject_cast<TDialGauge *>(MainGauge::create(&window));
    MainGauge::setValue(g, 27.54);
    QCOMPARE(g->Value(), 0.0);
    QCOMPARE(g->AnimationTarget(), 27.54);

    // Ticks to rest, each at the platform's 10 ms timer floor: about half a second.
    TDialGauge counted;
    counted.SetMaximumValue(250);
    counted.SetValue(27.54);
    int ticks = 0;
    while (counted.Value() != counted.AnimationTarget()) {
        counted.AnimationStep();
        ++ticks;
    }
    const int milliseconds = ticks * TWindowTimer::MinimumInterval;
    QVERIFY2(milliseconds >= 350 && milliseconds <= 700, qPrintable(QString::number(milliseconds)));

    // The one test on the real timer.
    QTRY_COMPARE_WITH_TIMEOUT(g->Value(), 27.54, 5000);
}

void tst_MainGauge::speedAboveRangeIsIgnored()
{
    QWidget window;
    auto *g = qobject_cast<TDialGauge *>(MainGauge::create(&window));
    g->SetAnimation(false);
    MainGauge::setValue(g, 27.54);
    MainGauge::setValue(g, 250.01);
    QCOMPARE(g->Value(), 27.54);
    QCOMPARE(g->AnimationTarget(), 27.54);
    MainGauge::setValue(g, 250);
    QCOMPARE(g->Value(), 250.0);
    // Any other widget is left alone.
    QWidget plain;
    MainGauge::setValue(&plain, 10);
    MainGauge::setValue(nullptr, 10);
}

// The gauge reports a picture it cannot format once; the window shows one
// error box per distinct picture, however often the gauge repaints.
void tst_MainGauge::refusedFormatShowsOneBoxPerFormat()
{
    QWidget window;
    window.resize(700, 400);
    auto *g = qobject_cast<TDialGauge *>(MainGauge::create(&window));
    QStringList shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&shown] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown << box->text();
            box->accept();
        }
    });
    closer.start(5);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString tooLong(225, u'0');
    for (const QString &format : {tooLong, tooLong, tooLong + "0"}) {
        g->SetValueFormat(format);
        for (int i = 0; i < 5; ++i) {
            g->repaint();
            QTest::qWait(20);
        }
    }
    QTRY_COMPARE(shown, QStringList({"Format string too long.", "Format string too long."}));
    QTest::qWait(100);
    QCOMPARE(shown.size(), 2);
}

QTEST_MAIN(tst_MainGauge)
#include "tst_MainGauge.moc"
