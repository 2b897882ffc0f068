// SPDX-License-Identifier: MIT
#include <QtTest>

#include "gauge/DialGauge.h"

class tst_DialGaugeInnerCircle : public QObject
{
    Q_OBJECT

private slots:
    void copyRaisesPerChangedField_data();
    void copyRaisesPerChangedField();
    void glossAssignmentCopies();
};

void tst_DialGaugeInnerCircle::copyRaisesPerChangedField_data()
{
    QTest::addColumn<TColor>("color");
    QTest::addColumn<int>("opacity");
    QTest::addColumn<TColor>("glossColor");
    QTest::addColumn<int>("events");
    // Colour and opacity go through their setters; the gloss copy always raises once.
    QTest::newRow("nothing differs") << clBlue << 150 << clWhite << 1;
    QTest::newRow("colour differs") << clRed << 150 << clWhite << 2;
    QTest::newRow("colour and opacity differ") << clRed << 10 << clWhite << 3;
    QTest::newRow("only the gloss differs") << clBlue << 150 << clNone << 1;
}

void tst_DialGaugeInnerCircle::copyRaisesPerChangedField()
{
    QFETCH(TColor, color);
    QFETCH(int, opacity);
    QFETCH(TColor, glossColor);
    QFETCH(int, events);
    TDialGaugeInnerCircle source(nullptr);
    source.SetColor(color);
    source.SetOpacity(opacity);
    source.Gloss()->SetColor(glossColor);

    TDialGauge g;
    int raised = 0;
    g.InnerCircle()->OnChange = [&](QObject *) { ++raised; };
    g.InnerCircle()->Assign(&source);
    QCOMPARE(raised, events);
    QCOMPARE(g.InnerCircle()->Color(), color);
    QCOMPARE(g.InnerCircle()->Opacity(), opacity);
    QCOMPARE(g.InnerCircle()->Gloss()->Color(), glossColor);
}

void tst_DialGaugeInnerCircle::glossAssignmentCopies()
{
    TDialGauge g;
    TDialGaugeGloss *own = g.InnerCircle()->Gloss();
    TDialGaugeGloss other(nullptr);
    other.SetColor(clRed);
    other.SetOpacity(1);
    int raised = 0;
    g.InnerCircle()->OnChange = [&](QObject *) { ++raised; };
    g.InnerCircle()->SetGloss(&other);
    QCOMPARE(g.InnerCircle()->Gloss(), own);
    QCOMPARE(own->Color(), clRed);
    QCOMPARE(own->Opacity(), 1);
    QCOMPARE(raised, 1);
    g.InnerCircle()->SetGloss(own);
    g.InnerCircle()->SetGloss(nullptr);
    QCOMPARE(raised, 1);
    // The copy still raises through the inner circle.
    own->SetOpacity(2);
    QCOMPARE(raised, 2);
}

QTEST_MAIN(tst_DialGaugeInnerCircle)
#include "tst_DialGaugeInnerCircle.moc"
