// SPDX-License-Identifier: MIT
// The gauge as assistive technology sees it, through the shared library
// only: Qt must find the interface without any set-up by the program.
//
// Events are heard the way a screen reader's bridge hears them: through an
// accessibility bridge, linked into this test as a static plugin. (An update
// handler would see them only while the platform reports accessibility as
// active, which nothing public can switch on offscreen.)
#define QT_STATICPLUGIN
#include <QtTest>

#include <QAccessible>
#include <QAccessibleBridge>
#include <QAccessibleBridgePlugin>
#include <QAccessibleValueInterface>
#include <QLabel>
#include <QtPlugin>

#include <functional>
#include <memory>

#include "gauge/DialGauge.h"

using Change = std::function<void(TDialGauge &)>;
Q_DECLARE_METATYPE(Change)

namespace {

const Change Nothing = [](TDialGauge &) {};

// A subclass that brings no interface of its own.
class SpeedGauge : public TDialGauge
{
    Q_OBJECT

public:
    using TDialGauge::TDialGauge;
};

// Value-change events Qt was asked to pass on, by object.
struct Announcement
{
    QObject *object;
    QVariant value;
};
QList<Announcement> announcements;

class RecordingBridge : public QAccessibleBridge
{
public:
    void setRootObject(QAccessibleInterface *) override {}
    void notifyAccessibilityUpdate(QAccessibleEvent *event) override
    {
        if (event->type() == QAccessible::ValueChanged)
            announcements << Announcement{event->object(),
                                          static_cast<QAccessibleValueChangeEvent *>(event)->value()};
    }
};

} // namespace

class RecordingBridgePlugin : public QAccessibleBridgePlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QAccessibleBridgeFactoryInterface_iid FILE "tst_DialGaugeAccessible.json")

public:
    QAccessibleBridge *create(const QString &) override { return new RecordingBridge; }
};
Q_IMPORT_PLUGIN(RecordingBridgePlugin)

namespace {

void ticks(TDialGauge &g, int count)
{
    for (int i = 0; i < count; ++i)
        g.AnimationStep();
}

// Ticks until the needle rests, then a few resting ticks more.
void settle(TDialGauge &g)
{
    for (int i = 0; i < 100000 && g.Value() != g.AnimationTarget(); ++i)
        g.AnimationStep();
    ticks(g, 5);
}

QAccessibleInterface *accessible(TDialGauge &g)
{
    return QAccessible::queryAccessibleInterface(&g);
}

void setThroughInterface(TDialGauge &g, const QVariant &value)
{
    accessible(g)->valueInterface()->setCurrentValue(value);
}

} // namespace

class tst_DialGaugeAccessible : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void cleanupTestCase();
    void found_data();
    void found();
    void texts_data();
    void texts();
    void valueText_data();
    void valueText();
    void range_data();
    void range();
    void setCurrentValue_data();
    void setCurrentValue();
    void readOnlyUnlessTabStop();
    void valueEvents_data();
    void valueEvents();
};

void tst_DialGaugeAccessible::init()
{
    announcements.clear();
    QLocale::setDefault(QLocale::c());
}

void tst_DialGaugeAccessible::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void tst_DialGaugeAccessible::cleanupTestCase()
{
    // Bridges are freed only here; the application's end does not call it.
    QAccessible::cleanup();
}

void tst_DialGaugeAccessible::found_data()
{
    QTest::addColumn<bool>("subclass");
    QTest::newRow("TDialGauge") << false;
    QTest::newRow("a subclass without an interface of its own") << true;
}

void tst_DialGaugeAccessible::found()
{
    QFETCH(bool, subclass);

    std::unique_ptr<TDialGauge> g = subclass ? std::make_unique<SpeedGauge>() : std::make_unique<TDialGauge>();
    QAccessibleInterface *iface = accessible(*g);
    QVERIFY(iface);
    QVERIFY(iface->isValid());
    QCOMPARE(iface->object(), g.get());
    QCOMPARE(iface->role(), QAccessible::Dial);
    QVERIFY(iface->valueInterface());
    QCOMPARE(iface->interface_cast(QAccessible::ValueInterface),
             static_cast<void *>(iface->valueInterface()));
    QVERIFY(!iface->textInterface());
}

void tst_DialGaugeAccessible::texts_data()
{
    QTest::addColumn<Change>("setup");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    QTest::newRow("a new gauge") << Nothing << "Gauge"
                                 << "Scale from 0 to 100";
    QTest::newRow("dial text") << Change([](TDialGauge &g) { g.SetDialText(QStringLiteral("  km/h \n")); })
                               << "km/h"
                               << "Scale from 0 to 100";
    QTest::newRow("accessible name over dial text") << Change([](TDialGauge &g) {
        g.SetDialText(QStringLiteral("km/h"));
        g.setAccessibleName(QStringLiteral("Speed"));
    }) << "Speed"
       << "Scale from 0 to 100";
    QTest::newRow("a label's buddy") << Change([](TDialGauge &g) {
        auto *label = new QLabel(QStringLiteral("&Barrier speed"), g.parentWidget());
        label->setBuddy(&g);
    }) << "Barrier speed"
       << "Scale from 0 to 100";
    QTest::newRow("limits in the description") << Change([](TDialGauge &g) {
        g.SetMaximumValue(250);
        g.SetMinimumValue(-20);
    }) << "Gauge"
       << "Scale from -20 to 250";
    QTest::newRow("own description") << Change([](TDialGauge &g) {
        g.setAccessibleDescription(QStringLiteral("Equivalent barrier speed in km/h"));
    }) << "Gauge"
       << "Equivalent barrier speed in km/h";
    QTest::newRow("tool tip as description")
        << Change([](TDialGauge &g) { g.setToolTip(QStringLiteral("km/h")); }) << "Gauge"
        << "km/h";
}

void tst_DialGaugeAccessible::texts()
{
    QFETCH(Change, setup);
    QFETCH(QString, name);
    QFETCH(QString, description);

    QWidget host;
    auto *g = new TDialGauge(&host);
    setup(*g);
    QAccessibleInterface *iface = accessible(*g);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Description), description);
}

void tst_DialGaugeAccessible::valueText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << "C" << 0.0 << "0";
    QTest::newRow("two decimals") << "C" << 27.54 << "27.54";
    QTest::newRow("decimal comma") << "es_ES" << 27.54 << "27,54";
    QTest::newRow("whole thousandths") << "C" << 33.3333333 << "33.333";
    QTest::newRow("a glide's arithmetic") << "C" << 24.400000000000002 << "24.4";
    QTest::newRow("below a thousandth above zero") << "C" << 0.0004 << "0";
    QTest::newRow("maximum") << "C" << 100.0 << "100";
}

// What a screen reader reads out: the shown value as a person writes it.
void tst_DialGaugeAccessible::valueText()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, text);

    QLocale::setDefault(QLocale(locale));
    TDialGauge g;
    g.SetAnimation(false);
    g.SetValue(value);
    QCOMPARE(accessible(g)->text(QAccessible::Value), text);
}

void tst_DialGaugeAccessible::range_data()
{
    QTest::addColumn<Change>("setup");
    QTest::addColumn<double>("current");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");

    QTest::newRow("a new gauge") << Nothing << 0.0 << 0 << 100;
    QTest::newRow("calculator's scale") << Change([](TDialGauge &g) {
        g.SetAnimation(false);
        g.SetMaximumValue(250);
        g.SetValue(27.54);
    }) << 27.54 << 0 << 250;
    QTest::newRow("negative minimum") << Change([](TDialGauge &g) {
        g.SetAnimation(false);
        g.SetMinimumValue(-50);
        g.SetValue(-12.5);
    }) << -12.5 << -50 << 100;
    QTest::newRow("mid-glide: the shown value") << Change([](TDialGauge &g) {
        g.SetValue(50);
        ticks(g, 2);
    }) << 18.0 << 0 << 100;
}

void tst_DialGaugeAccessible::range()
{
    QFETCH(Change, setup);
    QFETCH(double, current);
    QFETCH(int, minimum);
    QFETCH(int, maximum);

    TDialGauge g;
    setup(g);
    QAccessibleValueInterface *value = accessible(g)->valueInterface();
    QCOMPARE(value->currentValue().toDouble(), current);
    QCOMPARE(value->minimumValue().toDouble(), double(minimum));
    QCOMPARE(value->maximumValue().toDouble(), double(maximum));
    // The arrow keys' step.
    QCOMPARE(value->minimumStepSize().toDouble(), 1.0);
}

void tst_DialGaugeAccessible::setCurrentValue_data()
{
    QTest::addColumn<Change>("setup");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<double>("shown");
    QTest::addColumn<double>("target");

    const Change input = [](TDialGauge &g) {
        g.SetAnimation(false);
        g.SetTabStop(true);
    };
    QTest::newRow("in range") << input << QVariant(42.5) << 42.5 << 42.5;
    QTest::newRow("an integer") << input << QVariant(7) << 7.0 << 7.0;
    QTest::newRow("number text") << input << QVariant(QStringLiteral("12.5")) << 12.5 << 12.5;
    QTest::newRow("the maximum") << input << QVariant(100.0) << 100.0 << 100.0;
    QTest::newRow("past the maximum") << input << QVariant(100.0001) << 0.0 << 0.0;
    QTest::newRow("below the minimum") << input << QVariant(-0.0001) << 0.0 << 0.0;
    QTest::newRow("NaN") << input << QVariant(qQNaN()) << 0.0 << 0.0;
    QTest::newRow("no number") << input << QVariant(QStringLiteral("fast")) << 0.0 << 0.0;
    QTest::newRow("no value") << input << QVariant() << 0.0 << 0.0;
    QTest::newRow("animated: the needle glides")
        << Change([](TDialGauge &g) { g.SetTabStop(true); }) << QVariant(40.0) << 0.0 << 40.0;
    QTest::newRow("display only (no TabStop)")
        << Change([](TDialGauge &g) { g.SetAnimation(false); }) << QVariant(40.0) << 0.0 << 0.0;
    QTest::newRow("disabled") << Change([](TDialGauge &g) {
        g.SetAnimation(false);
        g.SetTabStop(true);
        g.setEnabled(false);
    }) << QVariant(40.0) << 0.0 << 0.0;
}

// Through the Value setter, and only where keys and clicks could change it.
void tst_DialGaugeAccessible::setCurrentValue()
{
    QFETCH(Change, setup);
    QFETCH(QVariant, value);
    QFETCH(double, shown);
    QFETCH(double, target);

    TDialGauge g;
    setup(g);
    QSignalSpy spy(&g, &TDialGauge::valueChanged);
    setThroughInterface(g, value);
    QCOMPARE(g.Value(), shown);
    QCOMPARE(g.AnimationTarget(), target);
    QCOMPARE(spy.count(), g.Animation() || shown == 0.0 ? 0 : 1);
}

void tst_DialGaugeAccessible::readOnlyUnlessTabStop()
{
    TDialGauge g;
    QAccessibleInterface *iface = accessible(g);
    QVERIFY(iface->state().readOnly);
    QVERIFY(!iface->state().focusable);
    g.SetTabStop(true);
    QVERIFY(!iface->state().readOnly);
    QVERIFY(iface->state().focusable);
}

void tst_DialGaugeAccessible::valueEvents_data()
{
    QTest::addColumn<Change>("setup");
    QTest::addColumn<Change>("action");
    QTest::addColumn<QList<double>>("expected");

    const Change still = [](TDialGauge &g) { g.SetAnimation(false); };
    const Change input = [](TDialGauge &g) { g.SetTabStop(true); };

    QTest::newRow("set without animation") << still << Change([](TDialGauge &g) { g.SetValue(30); })
                                           << QList<double>{30};
    QTest::newRow("the same value again") << Change([](TDialGauge &g) {
        g.SetAnimation(false);
        g.SetValue(30);
    }) << Change([](TDialGauge &g) { g.SetValue(30); }) << QList<double>{30};
    QTest::newRow("past the maximum") << still << Change([](TDialGauge &g) { g.SetValue(100.0001); })
                                      << QList<double>{};
    QTest::newRow("NaN") << still << Change([](TDialGauge &g) { g.SetValue(qQNaN()); }) << QList<double>{};
    QTest::newRow("animated: the setter alone") << Nothing << Change([](TDialGauge &g) { g.SetValue(50); })
                                                << QList<double>{};
    QTest::newRow("animated: a glide in progress") << Nothing << Change([](TDialGauge &g) {
        g.SetValue(50);
        ticks(g, 3);
    }) << QList<double>{};
    QTest::newRow("animated: once, where the glide ends") << Nothing << Change([](TDialGauge &g) {
        g.SetValue(50);
        settle(g);
    }) << QList<double>{50};
    QTest::newRow("animated: a step that lands on the target")
        << Change([](TDialGauge &g) { g.SetAnimationFactor(1); }) << Change([](TDialGauge &g) {
               g.SetValue(50);
               settle(g);
           }) << QList<double>{50};
    QTest::newRow("animated: a new target on the way") << Nothing << Change([](TDialGauge &g) {
        g.SetValue(50);
        ticks(g, 3);
        g.SetValue(20);
        settle(g);
    }) << QList<double>{20};
    QTest::newRow("animated: within the snap tolerance") << Nothing << Change([](TDialGauge &g) {
        g.SetValue(0.0005);
        settle(g);
    }) << QList<double>{0.0005};
    QTest::newRow("animated: the same value") << Nothing << Change([](TDialGauge &g) {
        g.SetValue(0);
        settle(g);
    }) << QList<double>{};
    QTest::newRow("resting ticks") << Nothing << Change([](TDialGauge &g) { ticks(g, 10); }) << QList<double>{};
    QTest::newRow("animation off freezes a glide") << Nothing << Change([](TDialGauge &g) {
        g.SetValue(50);
        ticks(g, 3);
        g.SetAnimation(false);
    }) << QList<double>{24.4};
    QTest::newRow("animation off at rest") << Nothing << Change([](TDialGauge &g) { g.SetAnimation(false); })
                                           << QList<double>{};
    QTest::newRow("animation on again resumes the glide") << Nothing << Change([](TDialGauge &g) {
        g.SetValue(50);
        ticks(g, 3);
        g.SetAnimation(false);
        g.SetAnimation(true);
        settle(g);
    }) << QList<double>{24.4, 50};
    QTest::newRow("maximum pulls the value") << Change([](TDialGauge &g) {
        g.SetAnimation(false);
        g.SetValue(80);
    }) << Change([](TDialGauge &g) { g.SetMaximumValue(60); }) << QList<double>{60};
    QTest::newRow("animated: maximum pulls a resting value") << Change([](TDialGauge &g) {
        g.SetValue(80);
        settle(g);
    }) << Change([](TDialGauge &g) { g.SetMaximumValue(60); }) << QList<double>{60};
    QTest::newRow("animated: maximum narrows a glide's target") << Nothing << Change([](TDialGauge &g) {
        g.SetValue(90);
        ticks(g, 3);
        g.SetMaximumValue(70);
        settle(g);
    }) << QList<double>{70};
    QTest::newRow("End key") << Change([](TDialGauge &g) {
        g.SetAnimation(false);
        g.SetTabStop(true);
    }) << Change([](TDialGauge &g) { QTest::keyClick(&g, Qt::Key_End); }) << QList<double>{100};
    QTest::newRow("animated: Page Up twice") << input << Change([](TDialGauge &g) {
        QTest::keyClick(&g, Qt::Key_PageUp);
        ticks(g, 3);
        QTest::keyClick(&g, Qt::Key_PageUp);
        settle(g);
    }) << QList<double>{4.88 + 10};
    QTest::newRow("End key without TabStop")
        << still << Change([](TDialGauge &g) { QTest::keyClick(&g, Qt::Key_End); }) << QList<double>{};
    QTest::newRow("animated: click above the centre") << input << Change([](TDialGauge &g) {
        QTest::mouseClick(&g, Qt::LeftButton, {}, QPoint(100, 40));
        settle(g);
    }) << QList<double>{50};
    QTest::newRow("through the interface") << Change([](TDialGauge &g) {
        g.SetAnimation(false);
        g.SetTabStop(true);
    }) << Change([](TDialGauge &g) { setThroughInterface(g, 42.0); }) << QList<double>{42};
    QTest::newRow("design mode") << Change([](TDialGauge &g) { g.SetDesignMode(true); })
                                 << Change([](TDialGauge &g) { g.SetValue(30); }) << QList<double>{30};
    QTest::newRow("loading") << Nothing << Change([](TDialGauge &g) {
        g.BeginLoading();
        g.SetValue(30);
        g.EndLoading();
        settle(g);
    }) << QList<double>{30};
}

// One value-change event per value the needle comes to rest at, none per step.
void tst_DialGaugeAccessible::valueEvents()
{
    QFETCH(Change, setup);
    QFETCH(Change, action);
    QFETCH(QList<double>, expected);

    TDialGauge g;
    setup(g);
    announcements.clear();
    action(g);

    QList<double> values;
    for (const Announcement &a : std::as_const(announcements)) {
        QCOMPARE(a.object, &g);
        QCOMPARE(a.value.metaType(), QMetaType::fromType<double>());
        values << a.value.toDouble();
    }
    QCOMPARE(values.size(), expected.size());
    for (int i = 0; i < values.size(); ++i)
        QVERIFY2(qFuzzyCompare(values.at(i), expected.at(i)),
                 qPrintable(QStringLiteral("%1: %2").arg(i).arg(values.at(i), 0, 'g', 17)));
    // What an announcement says is what the interface reads now.
    if (!values.isEmpty())
        QCOMPARE(accessible(g)->valueInterface()->currentValue().toDouble(), values.last());
}

QTEST_MAIN(tst_DialGaugeAccessible)
#include "tst_DialGaugeAccessible.moc"
