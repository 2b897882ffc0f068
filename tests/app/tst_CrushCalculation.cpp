// SPDX-License-Identifier: MIT
#include "app/CrushCalculation.h"
#include "platform/SysErrors.h"

#include <QLocale>
#include <QMap>
#include <QTest>

#include <charconv>
#include <optional>

namespace {

const QStringList ReadOrder = {"xMasa", "xBatalla", "xA",  "xB",  "xAnguloFPI",
                               "xMs",   "xKms",     "xL",  "xC1", "xC2",
                               "xC3",   "xC4",      "xC5", "xC6"};
const QStringList Results = {"xEDeformacion", "xMs", "xKms"};

// The main window as the calculation sees it: field texts by name, a log of
// reads and writes, and the last value handed to the gauge.
class FakeFields : public CalculationFields
{
public:
    QMap<QString, QString> texts;
    mutable QStringList reads;
    QStringList writes;
    int gaugeCalls = 0;
    std::optional<double> gauge;

    QString fieldText(const QString &field) const override
    {
        reads.append(field);
        return texts.value(field, QStringLiteral("<no such field>"));
    }
    void setFieldText(const QString &field, const QString &text) override
    {
        writes.append(field);
        texts[field] = text;
    }
    void setGaugeValue(double value) override
    {
        ++gaugeCalls;
        gauge = value;
    }

    QStringList results() const
    {
        QStringList texts;
        for (const QString &field : Results)
            texts.append(this->texts.value(field));
        return texts;
    }
};

// "worked": the worked example with recognisable earlier results;
// "zeros": every field as the window starts up.
FakeFields fieldsFor(const QString &base, const QStringList &overrides)
{
    FakeFields fields;
    if (base == QLatin1String("zeros")) {
        for (const QString &field : ReadOrder + Results)
            fields.texts[field] = QStringLiteral("0.00");
    } else {
        fields.texts = {{"xMasa", "1500"},   {"xBatalla", "2.6"}, {"xA", "35000"},
                        {"xB", "300000"},    {"xAnguloFPI", "0"}, {"xMs", "1.11"},
                        {"xKms", "2.22"},    {"xL", "1.5"},       {"xC1", "0.2"},
                        {"xC2", "0.3"},      {"xC3", "0.4"},      {"xC4", "0.4"},
                        {"xC5", "0.3"},      {"xC6", "0.2"},      {"xEDeformacion", "9.99"}};
    }
    for (const QString &assignment : overrides) {
        const qsizetype equals = assignment.indexOf(u'=');
        fields.texts[assignment.left(equals)] = assignment.mid(equals + 1);
    }
    return fields;
}

// Exact text of a double (shortest round trip), to compare without fuzz.
QByteArray shortest(double value)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return QByteArray(buffer, end - buffer);
}

const QStringList CrushB9 = {"xMasa=1", "xA=0", "xB=9", "xL=5", "xC1=0.5", "xC2=0", "xC3=0",
                             "xC4=0",   "xC5=0", "xC6=0"};
const QStringList NegativeEnergy = {"xA=0",      "xB=-6", "xL=5",  "xC1=11.1108", "xC2=0",
                                    "xC3=0",     "xC4=0", "xC5=0", "xC6=0"};
const QStringList Angle30Data = {"xMasa=1200", "xA=30000", "xB=250000", "xAnguloFPI=30",
                                 "xL=1.4",     "xC1=0.1",  "xC2=0.25",  "xC3=0.35",
                                 "xC4=0.35",   "xC5=0.25", "xC6=0.1"};

} // namespace

class tst_CrushCalculation : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void results_data();
    void results();
    void failures_data();
    void failures();
    void readsEveryFieldInOrder();
    void commaLocale_data();
    void commaLocale();
};

void tst_CrushCalculation::results_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QStringList>("overrides");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<long double>("gauge");

    const QStringList worked = {"43862.5", "7.65", "27.54"};
    QTest::newRow("worked example") << "worked" << QStringList() << worked << 27.54L;
    QTest::newRow("angle 45: factor 1.99999735, not 2")
        << "worked" << QStringList{"xAnguloFPI=45"}
        << QStringList{"87724.88", "10.82", "38.95"} << 38.95L;
    QTest::newRow("angle -45 as 45") << "worked" << QStringList{"xAnguloFPI=-45"}
                                     << QStringList{"87724.88", "10.82", "38.95"} << 38.95L;
    QTest::newRow("angle 30 example") << "worked" << Angle30Data
                                      << QStringList{"35147.76", "7.65", "27.54"} << 27.54L;
    QTest::newRow("angle 90: huge but finite factor")
        << "worked" << QStringList{"xAnguloFPI=90"}
        << QStringList{"2.49164288087608E16", "5763844.64", "20749840.7"} << 20749840.7L;
    QTest::newRow("angle 89.99")
        << "worked" << QStringList{"xAnguloFPI=89.99"}
        << QStringList{"1418277975140.44", "43486.06", "156549.82"} << 156549.82L;
    QTest::newRow("angle 60, other vehicle")
        << "worked"
        << QStringList{"xMasa=800", "xA=42000", "xB=180000", "xAnguloFPI=60", "xL=1.8",
                       "xC1=0.05", "xC2=0.15", "xC3=0.25", "xC4=0.3", "xC5=0.2", "xC6=0.1"}
        << QStringList{"122003.63", "17.46", "62.86"} << 62.86L;
    QTest::newRow("km/h from the rounded m/s")
        << "worked"
        << QStringList{"xMasa=2000", "xA=50000", "xB=500000", "xAnguloFPI=10", "xL=1.6",
                       "xC1=0.3", "xC2=0.45", "xC3=0.5", "xC4=0.5", "xC5=0.45", "xC6=0.3"}
        << QStringList{"121806.23", "11.04", "39.74"} << 39.74L;
    QTest::newRow("km/h past the gauge's end still handed over")
        << "worked" << QStringList{"xMasa=10"} << QStringList{"43862.5", "93.66", "337.18"}
        << 337.18L;
    QTest::newRow("tie 12.5 hundredths goes down to even")
        << "worked" << (QStringList(CrushB9) << "xB=3") << QStringList{"0.12", "0.5", "1.8"}
        << 1.8L;
    QTest::newRow("tie 37.5 hundredths goes up to even")
        << "worked" << CrushB9 << QStringList{"0.38", "0.87", "3.13"} << 3.13L;
    // L's text lies just above the halfway point between two doubles, so
    // close that its nearest extended value is that point: the store rounds
    // it to the even 202.5, and E = 10.125 exactly ties down.
    QTest::newRow("L on a double tie after exact reading")
        << "zeros"
        << QStringList{"xL=202.50000000000001421085471520200371742248535156251", "xB=6",
                       "xC1=0.5", "xMasa=1", "xA=0"}
        << QStringList{"10.12", "4.5", "16.2"} << 16.2L;
    QTest::newRow("zero energy shows 0, not 0.00")
        << "zeros" << QStringList{"xA=0", "xB=1", "xMasa=1"} << QStringList{"0", "0", "0"}
        << 0.0L;
    QTest::newRow("negative energy with negative mass")
        << "worked" << (QStringList(NegativeEnergy) << "xMasa=-1")
        << QStringList{"-123.45", "15.71", "56.56"} << 56.56L;
    QTest::newRow("unused wheelbase beyond the double range")
        << "worked" << QStringList{"xBatalla=1e400"} << worked << 27.54L;
    QTest::newRow("earlier results beyond the double range")
        << "worked" << QStringList{"xMs=1e999", "xKms=-1e4000"} << worked << 27.54L;
    QTest::newRow("blanks, signs and exponents")
        << "worked"
        << QStringList{"xMasa= 1.5e3 ", "xA=3.5E+4", "xB=+300000", "xL=15e-1", "xC1=.2",
                       "xC2=0.30", "xC6=2E-1   "}
        << worked << 27.54L;
    QTest::newRow("lone separator reads as zero")
        << "worked" << QStringList{"xAnguloFPI=."} << worked << 27.54L;
    QTest::newRow("angle below the double range underflows to 0")
        << "worked" << QStringList{"xAnguloFPI=1e-400"} << worked << 27.54L;
}

void tst_CrushCalculation::results()
{
    QFETCH(QString, base);
    QFETCH(QStringList, overrides);
    QFETCH(QStringList, expected);
    QFETCH(long double, gauge);

    FakeFields fields = fieldsFor(base, overrides);
    CrushCalculation::run(fields);

    QCOMPARE(fields.results(), expected);
    QCOMPARE(fields.writes, Results);
    QCOMPARE(fields.gaugeCalls, 1);
    // The gauge gets the km/h text read back: its decimal, stored as a double.
    QCOMPARE(shortest(*fields.gauge), shortest(double(gauge)));
}

void tst_CrushCalculation::failures_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QStringList>("overrides");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("expected");

    const QString convert = QStringLiteral("EConvertError");
    const QString overflow = QStringLiteral("EOverflow");
    const QString overflowText = QStringLiteral("Floating point overflow");
    const QString invalid = QStringLiteral("EInvalidOp");
    const QString invalidText = QStringLiteral("Invalid floating point operation");
    const QString zeroDivide = QStringLiteral("EZeroDivide");
    const QString zeroDivideText = QStringLiteral("Floating point division by zero");
    const QStringList untouched = {"9.99", "1.11", "2.22"};

    QTest::newRow("mass not a number")
        << "worked" << QStringList{"xMasa=abc"} << convert
        << "'abc' is not a valid floating point value" << untouched;
    QTest::newRow("unused wheelbase not a number")
        << "worked" << QStringList{"xBatalla=abc"} << convert
        << "'abc' is not a valid floating point value" << untouched;
    QTest::newRow("empty L") << "worked" << QStringList{"xL="} << convert
                             << "'' is not a valid floating point value" << untouched;
    QTest::newRow("first bad field in reading order wins")
        << "worked" << QStringList{"xC6=x6", "xA=1,5"} << convert
        << "'1,5' is not a valid floating point value" << untouched;
    QTest::newRow("earlier m/s text not a number")
        << "worked" << QStringList{"xMs=n/a"} << convert
        << "'n/a' is not a valid floating point value" << QStringList{"9.99", "n/a", "2.22"};
    QTest::newRow("tab kept in the message")
        << "worked" << QStringList{"xC3=\t0.4"} << convert
        << "'\t0.4' is not a valid floating point value" << untouched;
    QTest::newRow("blank inside a number")
        << "worked" << QStringList{"xB=300 000"} << convert
        << "'300 000' is not a valid floating point value" << untouched;
    QTest::newRow("mass beyond the double range")
        << "worked" << QStringList{"xMasa=1e309"} << overflow << overflowText << untouched;
    QTest::newRow("overflow before a later bad text")
        << "worked" << QStringList{"xA=-2e308", "xC1=bad"} << overflow << overflowText
        << untouched;
    QTest::newRow("bad text before a later overflow")
        << "worked" << QStringList{"xMasa=bad", "xA=2e308"} << convert
        << "'bad' is not a valid floating point value" << untouched;
    QTest::newRow("B zero, A not") << "worked" << QStringList{"xB=0"} << zeroDivide
                                   << zeroDivideText << untouched;
    QTest::newRow("A and B zero") << "worked" << QStringList{"xA=0", "xB=0"} << invalid
                                  << invalidText << untouched;
    QTest::newRow("every field 0.00")
        << "zeros" << QStringList() << invalid << invalidText
        << QStringList{"0.00", "0.00", "0.00"};
    QTest::newRow("crush sum beyond the double range")
        << "worked" << QStringList{"xC1=1e308", "xC2=1e308"} << overflow << overflowText
        << untouched;
    QTest::newRow("term G beyond the double range")
        << "worked" << QStringList{"xA=1e300", "xB=1e-300"} << overflow << overflowText
        << untouched;
    QTest::newRow("energy beyond the double range")
        << "worked" << QStringList{"xL=1e308"} << overflow << overflowText << untouched;
    QTest::newRow("energy hundredths beyond 64 bits")
        << "worked" << QStringList{"xAnguloFPI=90", "xL=6"} << invalid << invalidText
        << untouched;
    QTest::newRow("mass zero") << "worked" << QStringList{"xMasa=0"} << zeroDivide
                               << zeroDivideText << QStringList{"43862.5", "1.11", "2.22"};
    QTest::newRow("mass and energy zero")
        << "zeros" << QStringList{"xA=0", "xB=1", "xMasa=0"} << invalid << invalidText
        << QStringList{"0", "0.00", "0.00"};
    QTest::newRow("negative energy, positive mass")
        << "worked" << NegativeEnergy << invalid << invalidText
        << QStringList{"-123.45", "1.11", "2.22"};
    QTest::newRow("m/s hundredths beyond 64 bits")
        << "worked" << QStringList{"xMasa=1e-300"} << invalid << invalidText
        << QStringList{"43862.5", "1.11", "2.22"};
    QTest::newRow("km/h hundredths beyond 64 bits, m/s shown")
        << "worked" << QStringList{"xMasa=3.5e-29"} << invalid << invalidText
        << QStringList{"43862.5", "5.0064244440804E16", "2.22"};
}

void tst_CrushCalculation::failures()
{
    QFETCH(QString, base);
    QFETCH(QStringList, overrides);
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QFETCH(QStringList, expected);

    FakeFields fields = fieldsFor(base, overrides);
    const QMap<QString, QString> before = fields.texts;
    try {
        CrushCalculation::run(fields);
        QFAIL("the calculation succeeded");
    } catch (const Exception &error) {
        QCOMPARE(QString::fromLatin1(error.kind()), kind);
        QCOMPARE(error.message(), message);
    }
    QCOMPARE(fields.results(), expected);
    QCOMPARE(fields.gaugeCalls, 0);
    for (const QString &field : ReadOrder) {
        if (!Results.contains(field))
            QCOMPARE(fields.texts.value(field), before.value(field));
    }
}

void tst_CrushCalculation::readsEveryFieldInOrder()
{
    FakeFields fields = fieldsFor(QStringLiteral("worked"), {});
    CrushCalculation::run(fields);
    QCOMPARE(fields.reads, ReadOrder + QStringList{"xKms"});

    FakeFields failing = fieldsFor(QStringLiteral("worked"), {"xC2=?"});
    QVERIFY_THROWS_EXCEPTION(EConvertError, CrushCalculation::run(failing));
    QCOMPARE(failing.reads, ReadOrder.mid(0, ReadOrder.indexOf("xC2") + 1));
}

void tst_CrushCalculation::commaLocale_data()
{
    QTest::addColumn<QStringList>("overrides");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("error");

    const QStringList typed = {"xL=1,5",   "xC1=0,2", "xC2=0,3", "xC3=0,4", "xC4=0,4",
                               "xC5=0,3",  "xC6=0,2", "xBatalla=2,6", "xMs=0,00",
                               "xKms=0,00"};
    QTest::newRow("worked example typed with commas")
        << typed << QStringList{"43862,5", "7,65", "27,54"} << QString();
    QTest::newRow("tie typed with commas")
        << (QStringList(CrushB9) << "xC1=0,5" << "xBatalla=0" << "xMs=0" << "xKms=0")
        << QStringList{"0,38", "0,87", "3,13"} << QString();
    QTest::newRow("point rejected")
        << (QStringList(typed) << "xMasa=1500.0") << QStringList{"9.99", "0,00", "0,00"}
        << "'1500.0' is not a valid floating point value";
    QTest::newRow("earlier point results rejected")
        << (QStringList(typed) << "xMs=0.00") << QStringList{"9.99", "0.00", "0,00"}
        << "'0.00' is not a valid floating point value";
}

void tst_CrushCalculation::commaLocale()
{
    QFETCH(QStringList, overrides);
    QFETCH(QStringList, expected);
    QFETCH(QString, error);

    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    FakeFields fields = fieldsFor(QStringLiteral("worked"), overrides);
    if (error.isEmpty()) {
        CrushCalculation::run(fields);
        QCOMPARE(fields.gaugeCalls, 1);
    } else {
        try {
            CrushCalculation::run(fields);
            QFAIL("the calculation succeeded");
        } catch (const EConvertError &e) {
            QCOMPARE(e.message(), error);
        }
    }
    QCOMPARE(fields.results(), expected);
}

QTEST_GUILESS_MAIN(tst_CrushCalculation)
#include "tst_CrushCalculation.moc"
