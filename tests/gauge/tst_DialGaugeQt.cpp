// SPDX-License-Identifier: MIT
// The gauge as a Qt widget, through the shared library only: its signals
// beside the callbacks, property notification, enumerations by name, and
// its size in layouts.
#include <QtTest>

#include <QVBoxLayout>

#include <functional>

#include "gauge/DialGauge.h"
#include "tests/gauge/GaugeTestSupport.h"

using Change = std::function<void(TDialGauge &)>;
Q_DECLARE_METATYPE(Change)
// The object that holds a property: the gauge or one of its parts.
using Holder = std::function<QObject *(TDialGauge &)>;
Q_DECLARE_METATYPE(Holder)

namespace {

const Change Nothing = [](TDialGauge &) {};

Change animationOff(std::function<void(TDialGauge &)> then = {})
{
    return [then](TDialGauge &g) {
        g.SetAnimation(false);
        if (then)
            then(g);
    };
}

void ticks(TDialGauge &g, int count)
{
    for (int i = 0; i < count; ++i)
        g.AnimationStep();
}

} // namespace

class tst_DialGaugeQt : public QObject
{
    Q_OBJECT

private slots:
    void valueChangedFollowsTheCallback_data();
    void valueChangedFollowsTheCallback();
    void changedOncePerChange_data();
    void changedOncePerChange();
    void notifySignal_data();
    void notifySignal();
    void enumerationsByName_data();
    void enumerationsByName();
    void namespaceEnumerations();
    void sizeHints();
    void squareInALayout();
};

void tst_DialGaugeQt::valueChangedFollowsTheCallback_data()
{
    QTest::addColumn<Change>("setup");
    QTest::addColumn<Change>("action");
    QTest::addColumn<QList<double>>("expected");

    QTest::newRow("set without animation") << animationOff() << Change([](TDialGauge &g) { g.SetValue(30); })
                                           << QList<double>{30};
    QTest::newRow("same value again") << animationOff([](TDialGauge &g) { g.SetValue(30); })
                                      << Change([](TDialGauge &g) { g.SetValue(30); }) << QList<double>{30};
    QTest::newRow("past the maximum") << animationOff() << Change([](TDialGauge &g) { g.SetValue(100.0001); })
                                      << QList<double>{};
    QTest::newRow("below the minimum") << animationOff() << Change([](TDialGauge &g) { g.SetValue(-0.0001); })
                                       << QList<double>{};
    QTest::newRow("NaN") << animationOff() << Change([](TDialGauge &g) { g.SetValue(qQNaN()); })
                         << QList<double>{};
    QTest::newRow("animated: the setter alone") << Nothing << Change([](TDialGauge &g) { g.SetValue(50); })
                                                << QList<double>{};
    QTest::newRow("animated: three ticks") << Nothing << Change([](TDialGauge &g) {
        g.SetValue(50);
        ticks(g, 3);
    }) << QList<double>{10, 18, 24.4};
    QTest::newRow("animated: the snap is silent")
        << Change([](TDialGauge &g) { g.SetAnimationFactor(1); }) << Change([](TDialGauge &g) {
               g.SetValue(50);
               ticks(g, 3);
           }) << QList<double>{50};
    QTest::newRow("resting ticks") << Nothing << Change([](TDialGauge &g) { ticks(g, 5); }) << QList<double>{};
    QTest::newRow("maximum pulls the value") << animationOff([](TDialGauge &g) { g.SetValue(80); })
                                             << Change([](TDialGauge &g) { g.SetMaximumValue(60); })
                                             << QList<double>{60};
    QTest::newRow("maximum again, value unchanged")
        << animationOff([](TDialGauge &g) {
               g.SetValue(80);
               g.SetMaximumValue(60);
           })
        << Change([](TDialGauge &g) { g.SetMaximumValue(70); }) << QList<double>{60};
    QTest::newRow("minimum pulls the value") << animationOff([](TDialGauge &g) { g.SetValue(10); })
                                             << Change([](TDialGauge &g) { g.SetMinimumValue(20); })
                                             << QList<double>{20};
    QTest::newRow("crossing limit refused") << animationOff()
                                            << Change([](TDialGauge &g) { g.SetMinimumValue(100); })
                                            << QList<double>{};
    QTest::newRow("animated limit moves the target") << Nothing
                                                     << Change([](TDialGauge &g) { g.SetMaximumValue(60); })
                                                     << QList<double>{};
    QTest::newRow("copy") << Nothing << Change([](TDialGauge &g) {
        TDialGauge source;
        source.SetAnimation(false);
        source.SetValue(40);
        g.Assign(&source);
    }) << QList<double>{};
    QTest::newRow("design mode") << Change([](TDialGauge &g) { g.SetDesignMode(true); })
                                 << Change([](TDialGauge &g) { g.SetValue(30); }) << QList<double>{30};
    QTest::newRow("loading") << Nothing << Change([](TDialGauge &g) {
        g.BeginLoading();
        g.SetValue(30);
        g.EndLoading();
    }) << QList<double>{30};
    QTest::newRow("End key") << animationOff([](TDialGauge &g) { g.SetTabStop(true); })
                             << Change([](TDialGauge &g) { QTest::keyClick(&g, Qt::Key_End); })
                             << QList<double>{100};
    QTest::newRow("End key without TabStop")
        << animationOff() << Change([](TDialGauge &g) { QTest::keyClick(&g, Qt::Key_End); }) << QList<double>{};
    QTest::newRow("click above the centre")
        << animationOff([](TDialGauge &g) { g.SetTabStop(true); })
        << Change([](TDialGauge &g) { QTest::mouseClick(&g, Qt::LeftButton, {}, QPoint(100, 40)); })
        << QList<double>{50};
}

// Same values, same count, same order; each signal right after its callback.
void tst_DialGaugeQt::valueChangedFollowsTheCallback()
{
    QFETCH(Change, setup);
    QFETCH(Change, action);
    QFETCH(QList<double>, expected);

    TDialGauge g;
    setup(g);
    QStringList order;
    QList<double> called;
    g.OnValueChanged = [&](QObject *sender, double value) {
        QCOMPARE(sender, static_cast<QObject *>(&g));
        called << value;
        order << QStringLiteral("callback");
    };
    QList<double> emitted;
    connect(&g, &TDialGauge::valueChanged, this, [&](double value) {
        emitted << value;
        order << QStringLiteral("signal");
    });
    QSignalSpy spy(&g, &TDialGauge::valueChanged);

    action(g);

    QCOMPARE(called, expected);
    QCOMPARE(spy.count(), expected.size());
    for (int i = 0; i < called.size(); ++i) {
        QVERIFY2(emitted.at(i) == called.at(i), qPrintable(QString::number(i)));
        QCOMPARE(spy.at(i).at(0).toDouble(), called.at(i));
    }
    QStringList alternating;
    for (int i = 0; i < expected.size(); ++i)
        alternating << QStringLiteral("callback") << QStringLiteral("signal");
    QCOMPARE(order, alternating);
}

void tst_DialGaugeQt::changedOncePerChange_data()
{
    QTest::addColumn<Change>("setup");
    QTest::addColumn<Change>("action");
    QTest::addColumn<int>("expected");

    QTest::newRow("a colour") << Nothing << Change([](TDialGauge &g) { g.SetDivisionColor(clRed); }) << 1;
    QTest::newRow("the same colour") << Nothing << Change([](TDialGauge &g) { g.SetDivisionColor(0x00FC7C); })
                                     << 0;
    QTest::newRow("refused division count") << Nothing << Change([](TDialGauge &g) { g.SetDivisionCount(1); })
                                            << 0;
    QTest::newRow("refused value") << Nothing << Change([](TDialGauge &g) { g.SetValue(101); }) << 0;
    QTest::newRow("appearance object") << Nothing << Change([](TDialGauge &g) { g.Needle()->SetColor(clRed); })
                                       << 1;
    QTest::newRow("gloss of the disc") << Nothing
                                       << Change([](TDialGauge &g) { g.InnerCircle()->Gloss()->SetOpacity(10); })
                                       << 1;
    QTest::newRow("threshold centre") << Nothing
                                      << Change([](TDialGauge &g) { g.Arc()->Threshold()->SetCenter(30); }) << 1;
    QTest::newRow("font size") << Nothing << Change([](TDialGauge &g) { g.Font()->SetSize(20); }) << 1;
    QTest::newRow("preset") << Nothing << Change([](TDialGauge &g) { g.ApplyStyle(4); }) << 1;
    QTest::newRow("copy of a gauge") << Nothing << Change([](TDialGauge &g) {
        TDialGauge source;
        source.ApplyStyle(5);
        source.Sections()->Add();
        g.Assign(&source);
    }) << 1;
    QTest::newRow("arc assigned") << Nothing << Change([](TDialGauge &g) {
        TDialGauge source;
        source.Arc()->SetStartAngle(90);
        source.Arc()->Threshold()->SetSpan(50);
        g.SetArc(source.Arc());
    }) << 1;
    QTest::newRow("section added") << Nothing << Change([](TDialGauge &g) { g.Sections()->Add(); }) << 1;
    QTest::newRow("value, animated") << Nothing << Change([](TDialGauge &g) { g.SetValue(50); }) << 1;
    QTest::newRow("a gliding tick") << Change([](TDialGauge &g) { g.SetValue(50); })
                                    << Change([](TDialGauge &g) { g.AnimationStep(); }) << 1;
    QTest::newRow("resting ticks") << Nothing << Change([](TDialGauge &g) { ticks(g, 5); }) << 0;
    QTest::newRow("end of loading") << Nothing << Change([](TDialGauge &g) {
        g.BeginLoading();
        g.EndLoading();
    }) << 0;
    QTest::newRow("resize") << Nothing << Change([](TDialGauge &g) { resizeTo(g, 300, 300); }) << 1;
    QTest::newRow("property written by name")
        << Nothing << Change([](TDialGauge &g) { g.setProperty("DivisionWidth", 7); }) << 1;
}

// changed() goes with every repaint request, and a compound change makes one.
void tst_DialGaugeQt::changedOncePerChange()
{
    QFETCH(Change, setup);
    QFETCH(Change, action);
    QFETCH(int, expected);

    TDialGauge g;
    setup(g);
    QSignalSpy spy(&g, &TDialGauge::changed);
    const quint64 requests = g.RepaintRequestCount();
    action(g);
    QCOMPARE(spy.count(), expected);
    QCOMPARE(g.RepaintRequestCount() - requests, quint64(expected));
}

void tst_DialGaugeQt::notifySignal_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QByteArray>("signal");

    QTest::newRow("Value") << QByteArray("Value") << QByteArray("valueChanged(double)");
    for (const char *name :
         {"AnimationFactor", "MinimumValue", "MaximumValue", "Digit", "OuterCircle", "InnerCircle", "OuterRim",
          "Needle", "Arc", "DivisionCount", "SubDivisionCount", "DivisionColor", "SubDivisionColor",
          "DivisionWidth", "SubDivisionWidth", "DialText", "Font", "ValueFont", "ValueFormat", "Animation",
          "NeedleType", "Sections", "TabStop"})
        QTest::newRow(name) << QByteArray(name) << QByteArray("changed()");
    // Version never changes; Enabled and Visible do not change the picture.
    for (const char *name : {"Version", "Enabled", "Visible"})
        QTest::newRow(name) << QByteArray(name) << QByteArray();
}

void tst_DialGaugeQt::notifySignal()
{
    QFETCH(QByteArray, property);
    QFETCH(QByteArray, signal);

    const QMetaObject &meta = TDialGauge::staticMetaObject;
    const int index = meta.indexOfProperty(property);
    QVERIFY(index >= QWidget::staticMetaObject.propertyCount());
    const QMetaProperty p = meta.property(index);
    QCOMPARE(p.hasNotifySignal(), !signal.isEmpty());
    if (!signal.isEmpty())
        QCOMPARE(p.notifySignal().methodSignature(), signal);
}

void tst_DialGaugeQt::enumerationsByName_data()
{
    QTest::addColumn<Holder>("holder");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QByteArray>("key");

    const Holder gauge = [](TDialGauge &g) -> QObject * { return &g; };
    const Holder threshold = [](TDialGauge &g) -> QObject * { return g.Arc()->Threshold(); };
    const Holder font = [](TDialGauge &g) -> QObject * { return g.Font(); };
    QTest::newRow("NeedleType") << gauge << QByteArray("NeedleType") << QByteArray("ntSelector");
    QTest::newRow("ThresholdKind") << threshold << QByteArray("ThresholdKind") << QByteArray("tkValue");
    QTest::newRow("Font.Style") << font << QByteArray("Style") << QByteArray("fsBold|fsItalic");
}

// Tools that show properties (Designer, debug output) get names, not numbers,
// and can write a value by its name.
void tst_DialGaugeQt::enumerationsByName()
{
    QFETCH(Holder, holder);
    QFETCH(QByteArray, property);
    QFETCH(QByteArray, key);

    TDialGauge g;
    QObject *object = holder(g);
    const QMetaProperty p = object->metaObject()->property(object->metaObject()->indexOfProperty(property));
    QVERIFY(p.isEnumType());
    const QMetaEnum e = p.enumerator();
    QCOMPARE(QByteArray(e.scope()), QByteArray("DialGaugeTypes"));
    bool ok = false;
    const int value = e.isFlag() ? e.keysToValue(key, &ok) : e.keyToValue(key, &ok);
    QVERIFY(ok);
    QVERIFY(p.write(object, value));
    const int read = p.read(object).toInt();
    QCOMPARE(read, value);
    QCOMPARE(e.isFlag() ? e.valueToKeys(read) : QByteArray(e.valueToKey(read)), key);
    // Written by name through QObject::setProperty as well.
    QVERIFY(p.write(object, 0));
    QVERIFY(object->setProperty(property, QString::fromLatin1(key)));
    QCOMPARE(p.read(object).toInt(), value);
}

void tst_DialGaugeQt::namespaceEnumerations()
{
    QCOMPARE(QByteArray(QMetaEnum::fromType<TDialGaugeNeedleType>().valueToKey(ntPointer)), "ntPointer");
    QCOMPARE(QByteArray(QMetaEnum::fromType<TDialGaugeThresholdKind>().valueToKey(tkAngle)), "tkAngle");
    QCOMPARE(QByteArray(QMetaEnum::fromType<MarkKind>().valueToKey(mkDivision)), "mkDivision");
    QCOMPARE(QMetaEnum::fromType<TFontStyles>().valueToKeys(fsUnderline | fsStrikeOut),
             QByteArray("fsUnderline|fsStrikeOut"));
    QString debug;
    QDebug(&debug) << ntSelector << tkValue;
    QCOMPARE(debug, QStringLiteral("DialGaugeTypes::ntSelector DialGaugeTypes::tkValue "));
}

void tst_DialGaugeQt::sizeHints()
{
    TDialGauge g;
    QCOMPARE(g.size(), QSize(200, 200));
    QCOMPARE(g.sizeHint(), QSize(200, 200));
    QCOMPARE(g.minimumSizeHint(), QSize(100, 100));
    QCOMPARE(g.sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
    QCOMPARE(g.sizePolicy().verticalPolicy(), QSizePolicy::Preferred);
    QVERIFY(g.sizePolicy().hasHeightForWidth());
    QVERIFY(g.hasHeightForWidth());
    QCOMPARE(g.heightForWidth(303), 303);
}

// A layout that asks gets a square; one that squeezes stops at the minimum.
void tst_DialGaugeQt::squareInALayout()
{
    QWidget host;
    auto *layout = new QVBoxLayout(&host);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *g = new TDialGauge;
    layout->addWidget(g);
    QVERIFY(layout->hasHeightForWidth());
    QCOMPARE(layout->heightForWidth(250), 250);
    QCOMPARE(layout->sizeHint(), QSize(200, 200));
    QCOMPARE(layout->minimumSize(), QSize(100, 100));
    host.resize(250, 250);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QCOMPARE(g->size(), QSize(250, 250));
    // The dial follows: its geometry comes from the new size.
    QCOMPARE(g->DialWidth(), 250 - 2 * (250 / 50));
}

QTEST_MAIN(tst_DialGaugeQt)
#include "tst_DialGaugeQt.moc"
