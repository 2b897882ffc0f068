// SPDX-License-Identifier: MIT
#include <QtTest>

#include "gauge/DialGauge.h"

class tst_DialGaugeFont : public QObject
{
    Q_OBJECT

private slots:
    void heightAndSize_data();
    void heightAndSize();
    void ownChangeRepaintsGauge_data();
    void ownChangeRepaintsGauge();
    void qfontRoundTrip();
    void copyKeepsIdentity();
};

void tst_DialGaugeFont::heightAndSize_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("heightBack");
    QTest::newRow("-19 px is 14 pt") << -19 << 14 << -19;
    QTest::newRow("-15 px is 11 pt") << -15 << 11 << -15;
    QTest::newRow("-11 px is 8 pt") << -11 << 8 << -11;
    QTest::newRow("-16 px is 12 pt") << -16 << 12 << -16;
    QTest::newRow("positive cell height") << 16 << -12 << 16;
    QTest::newRow("extreme") << std::numeric_limits<int>::min() << 1610612736 << -2147483647;
}

void tst_DialGaugeFont::heightAndSize()
{
    QFETCH(int, height);
    QFETCH(int, size);
    QFETCH(int, heightBack);
    TDialGaugeFont font(nullptr);
    font.SetHeight(height);
    QCOMPARE(font.Size(), size);
    QCOMPARE(font.Height(), heightBack);
}

using FontChange = std::function<void(TDialGaugeFont &)>;

void tst_DialGaugeFont::ownChangeRepaintsGauge_data()
{
    QTest::addColumn<bool>("valueFont");
    QTest::addColumn<FontChange>("change");
    QTest::addColumn<int>("requests");
    QTest::newRow("Font.Size") << false << FontChange([](TDialGaugeFont &f) { f.SetSize(20); }) << 1;
    QTest::newRow("Font.Height") << false << FontChange([](TDialGaugeFont &f) { f.SetHeight(-30); }) << 1;
    QTest::newRow("Font.Height to the same size") << false << FontChange([](TDialGaugeFont &f) { f.SetHeight(-19); }) << 0;
    QTest::newRow("ValueFont.Name") << true << FontChange([](TDialGaugeFont &f) { f.SetName(QStringLiteral("Arial")); }) << 1;
    QTest::newRow("ValueFont.Style") << true << FontChange([](TDialGaugeFont &f) { f.SetStyle(fsBold | fsItalic); }) << 1;
    QTest::newRow("ValueFont.Color") << true << FontChange([](TDialGaugeFont &f) { f.SetColor(clRed); }) << 1;
    QTest::newRow("QFont with nothing new") << true << FontChange([](TDialGaugeFont &f) { f.AssignQFont(f.ToQFont()); }) << 0;
}

void tst_DialGaugeFont::ownChangeRepaintsGauge()
{
    QFETCH(bool, valueFont);
    QFETCH(FontChange, change);
    QFETCH(int, requests);
    TDialGauge g;
    const quint64 before = g.RepaintRequestCount();
    change(valueFont ? *g.ValueFont() : *g.Font());
    QCOMPARE(g.RepaintRequestCount() - before, quint64(requests));
}

void tst_DialGaugeFont::qfontRoundTrip()
{
    TDialGaugeFont font(nullptr);
    font.SetName(QStringLiteral("Tahoma"));
    font.SetSize(14);
    font.SetStyle(fsBold | fsUnderline);
    const QFont q = font.ToQFont();
    QCOMPARE(q.family(), QStringLiteral("Tahoma"));
    QCOMPARE(q.pointSize(), 14);
    QVERIFY(q.bold());
    QVERIFY(!q.italic());
    QVERIFY(q.underline());

    QFont pixels(QStringLiteral("Arial"));
    pixels.setPixelSize(15);
    pixels.setItalic(true);
    font.AssignQFont(pixels);
    QCOMPARE(font.Name(), QStringLiteral("Arial"));
    QCOMPARE(font.Size(), 11);
    QCOMPARE(font.Style(), TFontStyles(fsItalic));

    font.SetSize(0);
    QVERIFY(font.ToQFont().pointSize() > 0); // no point size of 0 reaches Qt
}

void tst_DialGaugeFont::copyKeepsIdentity()
{
    TDialGauge g;
    TDialGaugeFont *own = g.Font();
    TDialGaugeFont other(nullptr);
    other.SetName(QStringLiteral("Arial"));
    other.SetSize(30);
    other.SetColor(clRed);
    other.SetStyle(fsStrikeOut);
    QVERIFY(g.setProperty("Font", QVariant::fromValue(&other)));
    QCOMPARE(g.Font(), own);
    QCOMPARE(g.Font()->Name(), QStringLiteral("Arial"));
    QCOMPARE(g.Font()->Size(), 30);
    QCOMPARE(g.Font()->Color(), clRed);
    QCOMPARE(g.Font()->Style(), TFontStyles(fsStrikeOut));
    // The copy keeps repainting its own gauge.
    const quint64 before = g.RepaintRequestCount();
    g.Font()->SetSize(31);
    QCOMPARE(g.RepaintRequestCount(), before + 1);
}

QTEST_MAIN(tst_DialGaugeFont)
#include "tst_DialGaugeFont.moc"
