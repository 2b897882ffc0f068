// SPDX-License-Identifier: MIT
#include <QtTest>

#include <QPointer>

#include <limits>

#include "gauge/DialGauge.h"

class tst_DialGaugeSections : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void eachChangeRepaintsDirectly_data();
    void eachChangeRepaintsDirectly();
    void lifetimeRepaints();
    void insertDeleteAndIndex();
    void nonFiniteValuesRefused();
    void copyRecreatesItems();
    void sectionRects_data();
    void sectionRects();
    void gaugeDestructionWithSections();
};

void tst_DialGaugeSections::defaults()
{
    TDialGauge g;
    TDialGaugeSection *s = g.Sections()->Add();
    QCOMPARE(s->Color(), TColor(0xFF0000));
    QCOMPARE(s->Opacity(), 150);
    QCOMPARE(s->StartValue(), 0.0);
    QCOMPARE(s->EndValue(), 100.0);
    QCOMPARE(s->OuterMargin(), 20);
    QCOMPARE(s->InnerMargin(), 0);
    QCOMPARE(s->Gloss()->Color(), clWhite);
    QCOMPARE(s->Gloss()->Owner(), &g);
    QCOMPARE(s->Owner(), &g);
    QCOMPARE(s->Collection(), g.Sections());
    QCOMPARE(g.Sections()->Owner(), &g);
}

using SectionChange = std::function<void(TDialGaugeSection &)>;

void tst_DialGaugeSections::eachChangeRepaintsDirectly_data()
{
    QTest::addColumn<SectionChange>("change");
    QTest::newRow("Color") << SectionChange([](TDialGaugeSection &s) { s.SetColor(clRed); });
    QTest::newRow("Opacity") << SectionChange([](TDialGaugeSection &s) { s.SetOpacity(1); });
    QTest::newRow("StartValue") << SectionChange([](TDialGaugeSection &s) { s.SetStartValue(10); });
    QTest::newRow("EndValue") << SectionChange([](TDialGaugeSection &s) { s.SetEndValue(10); });
    QTest::newRow("OuterMargin") << SectionChange([](TDialGaugeSection &s) { s.SetOuterMargin(3); });
    QTest::newRow("InnerMargin") << SectionChange([](TDialGaugeSection &s) { s.SetInnerMargin(30); });
    QTest::newRow("Gloss color") << SectionChange([](TDialGaugeSection &s) { s.Gloss()->SetColor(clNone); });
    QTest::newRow("Gloss copied") << SectionChange([](TDialGaugeSection &s) { TDialGaugeGloss gl(nullptr); gl.SetOpacity(1); s.SetGloss(&gl); });
}

void tst_DialGaugeSections::eachChangeRepaintsDirectly()
{
    QFETCH(SectionChange, change);
    TDialGauge g;
    TDialGaugeSection *s = g.Sections()->Add();
    int sectionEvents = 0;
    s->OnChange = [&](QObject *) { ++sectionEvents; };
    // The collection's handler is never raised either.
    g.Sections()->OnChange = [&](QObject *) { ++sectionEvents; };
    const quint64 before = g.RepaintRequestCount();
    change(*s);
    QCOMPARE(g.RepaintRequestCount(), before + 1);
    QCOMPARE(sectionEvents, 0);
}

void tst_DialGaugeSections::lifetimeRepaints()
{
    TDialGauge g;
    quint64 before = g.RepaintRequestCount();
    TDialGaugeSection *s = g.Sections()->Add();
    QCOMPARE(g.RepaintRequestCount(), before + 1);
    before = g.RepaintRequestCount();
    delete s; // a section freed on its own leaves its collection
    QCOMPARE(g.Sections()->Count(), 0);
    QCOMPARE(g.RepaintRequestCount(), before + 1);
}

void tst_DialGaugeSections::insertDeleteAndIndex()
{
    TDialGauge g;
    TDialGaugeSections &sections = *g.Sections();
    TDialGaugeSection *a = sections.Add();
    TDialGaugeSection *b = sections.Add();
    TDialGaugeSection *c = sections.Insert(1);
    QCOMPARE(sections.Count(), 3);
    QCOMPARE(sections[0], a);
    QCOMPARE(sections[1], c);
    QCOMPARE(sections[2], b);
    QCOMPARE(b->Index(), 2);
    QCOMPARE(sections.Items(3), nullptr);
    QCOMPARE(sections.Items(-1), nullptr);
    TDialGaugeSection *front = sections.Insert(-5);
    QCOMPARE(sections[0], front);
    QPointer<TDialGaugeSection> watch(c);
    sections.Delete(2);
    QVERIFY(watch.isNull());
    sections.Delete(10);
    sections.Delete(-1);
    QCOMPARE(sections.Count(), 3);
    sections.Clear();
    QCOMPARE(sections.Count(), 0);
}

void tst_DialGaugeSections::nonFiniteValuesRefused()
{
    TDialGauge g;
    TDialGaugeSection *s = g.Sections()->Add();
    const quint64 before = g.RepaintRequestCount();
    s->SetStartValue(std::numeric_limits<double>::quiet_NaN());
    s->SetEndValue(std::numeric_limits<double>::infinity());
    s->SetEndValue(-std::numeric_limits<double>::infinity());
    QCOMPARE(s->StartValue(), 0.0);
    QCOMPARE(s->EndValue(), 100.0);
    QCOMPARE(g.RepaintRequestCount(), before);
    // Values outside the scale are kept: the band is drawn as computed.
    s->SetEndValue(1e6);
    QCOMPARE(s->EndValue(), 1e6);
}

void tst_DialGaugeSections::copyRecreatesItems()
{
    TDialGauge source;
    TDialGaugeSection *s = source.Sections()->Add();
    s->SetColor(clRed);
    s->SetOpacity(3);
    s->SetStartValue(10);
    s->SetEndValue(20);
    s->SetOuterMargin(4);
    s->SetInnerMargin(5);
    s->Gloss()->SetColor(clNone);
    source.Sections()->Add()->SetColor(clAqua);

    TDialGauge g;
    g.Sections()->Add();
    g.Sections()->Add();
    g.Sections()->Add();
    g.SetSections(source.Sections());
    QCOMPARE(g.Sections()->Count(), 2);
    const TDialGaugeSection *c = g.Sections()->Items(0);
    QVERIFY(c != s);
    QCOMPARE(c->Owner(), &g);
    QCOMPARE(c->Color(), clRed);
    QCOMPARE(c->Opacity(), 3);
    QCOMPARE(c->StartValue(), 10.0);
    QCOMPARE(c->EndValue(), 20.0);
    QCOMPARE(c->OuterMargin(), 4);
    QCOMPARE(c->InnerMargin(), 5);
    QCOMPARE(c->Gloss()->Color(), clNone);
    QCOMPARE(g.Sections()->Items(1)->Color(), clAqua);

    // Assigning the collection to itself keeps its items.
    g.Sections()->Assign(g.Sections());
    QCOMPARE(g.Sections()->Count(), 2);
}

void tst_DialGaugeSections::sectionRects_data()
{
    QTest::addColumn<int>("outer");
    QTest::addColumn<int>("inner");
    QTest::addColumn<QRectF>("outerRect");
    QTest::addColumn<QRectF>("innerRect");
    QTest::newRow("defaults: pie") << 20 << 0 << QRectF(20, 20, 160, 160) << QRectF(100, 100, 0, 0);
    QTest::newRow("ring") << 20 << 30 << QRectF(20, 20, 160, 160) << QRectF(70, 70, 60, 60);
    QTest::newRow("huge margin, no overflow")
        << std::numeric_limits<int>::max() << std::numeric_limits<int>::min()
        << QRectF(2147483647.0, 2147483647.0, 200 - 4294967294.0, 200 - 4294967294.0)
        << QRectF(100 + 2147483648.0, 100 + 2147483648.0, -4294967296.0, -4294967296.0);
}

void tst_DialGaugeSections::sectionRects()
{
    QFETCH(int, outer);
    QFETCH(int, inner);
    QFETCH(QRectF, outerRect);
    QFETCH(QRectF, innerRect);
    TDialGauge g;
    TDialGaugeSection *s = g.Sections()->Add();
    s->SetOuterMargin(outer);
    s->SetInnerMargin(inner);
    QCOMPARE(g.SectionOuterRect(*s), outerRect);
    QCOMPARE(g.SectionInnerRect(*s), innerRect);
}

void tst_DialGaugeSections::gaugeDestructionWithSections()
{
    auto *g = new TDialGauge;
    for (int i = 0; i < 5; ++i)
        g->Sections()->Add();
    delete g; // sections repaint while freed; the gauge must not be reached
    QVERIFY(true);
}

QTEST_MAIN(tst_DialGaugeSections)
#include "tst_DialGaugeSections.moc"
