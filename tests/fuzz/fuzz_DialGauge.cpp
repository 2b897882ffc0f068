// SPDX-License-Identifier: MIT
// Any sequence of property writes (NaN, infinities and extremes included),
// presets, section changes, resizes, keys, clicks, timer ticks and paints
// leaves the gauge consistent: MinimumValue < MaximumValue, Value and
// AnimationTarget finite and inside the scale, and every paint returns.
//
// Input: one operation per leading byte, its arguments from the bytes after
// it; missing bytes read as zeros.
#include "gauge/DialGauge.h"
#include "tests/gauge/GaugeTestSupport.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <type_traits>
#include <vector>

namespace {

[[noreturn]] void fail(const char *what, const TDialGauge &gauge)
{
    std::fprintf(stderr, "%s: min %d max %d value %.17g target %.17g\n", what,
                 gauge.MinimumValue(), gauge.MaximumValue(), gauge.Value(),
                 gauge.AnimationTarget());
    std::abort();
}

void checkInvariants(const TDialGauge &gauge)
{
    const double low = gauge.MinimumValue();
    const double high = gauge.MaximumValue();
    if (!(low < high))
        fail("MinimumValue < MaximumValue", gauge);
    const double value = gauge.Value();
    if (!std::isfinite(value) || value < low || value > high)
        fail("Value finite and within the range", gauge);
    const double target = gauge.AnimationTarget();
    if (!std::isfinite(target) || target < low || target > high)
        fail("AnimationTarget finite and within the range", gauge);
}

class Reader
{
public:
    Reader(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    bool done() const { return m_next >= m_size; }
    std::uint8_t byte() { return done() ? 0 : m_data[m_next++]; }
    bool flag() { return byte() & 1; }
    template<class T>
    T integral()
    {
        std::make_unsigned_t<T> bits = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            bits = (bits << 8) | byte();
        return T(bits);
    }
    // low..high, both included.
    int range(int low, int high)
    {
        const auto span = std::uint32_t(std::int64_t(high) - low) + 1;
        return int(std::int64_t(low) + integral<std::uint16_t>() % span);
    }

    int anyInt()
    {
        switch (byte() % 6) {
        case 0: return std::numeric_limits<int>::min();
        case 1: return std::numeric_limits<int>::max();
        case 2: return integral<int>();
        case 3: return range(-1000, 1000);
        default: return range(-5, 300);
        }
    }

    double anyDouble(const TDialGauge &gauge)
    {
        static const double specials[] = {
            std::numeric_limits<double>::quiet_NaN(),
            -std::numeric_limits<double>::quiet_NaN(),
            std::numeric_limits<double>::infinity(),
            -std::numeric_limits<double>::infinity(),
            std::numeric_limits<double>::max(),
            -std::numeric_limits<double>::max(),
            std::numeric_limits<double>::min(),
            std::numeric_limits<double>::denorm_min(),
            -0.0,
            0.0,
            2147483647.5,
            -2147483648.5,
            9.2233720368547758e18,
            1e-300,
        };
        switch (byte() % 5) {
        case 0: return specials[byte() % std::size(specials)];
        case 1: {
            double raw = 0;
            const auto bits = integral<std::uint64_t>();
            std::memcpy(&raw, &bits, sizeof raw);
            return raw;
        }
        case 2: return range(-1000, 1000) + byte() / 256.0;
        default: {
            // Inside the scale, where most values are accepted.
            const long double low = gauge.MinimumValue();
            const long double span = static_cast<long double>(gauge.MaximumValue()) - low;
            return double(low + span * (integral<std::uint16_t>() / 65535.0L));
        }
        }
    }

    QString text()
    {
        // Mostly short; now and then past the read-out's 224-character limit.
        const std::size_t length = byte() % 8 == 0 ? 300 : byte() % 16;
        QString result;
        for (std::size_t i = 0; i < length && !done(); ++i) {
            static const char16_t alphabet[] = u"0#.,;E+-e'\" xk\u00e9\u2019";
            const std::uint8_t b = byte();
            result += b < 128 ? QChar(alphabet[b % (std::size(alphabet) - 1)]) : QChar(b);
        }
        return result;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_next = 0;
};

// Every object whose published properties the fuzzer writes.
std::vector<QObject *> targets(TDialGauge &gauge)
{
    std::vector<QObject *> objects = {
        &gauge,           gauge.Digit(),  gauge.OuterCircle(),         gauge.InnerCircle(),
        gauge.InnerCircle()->Gloss(),     gauge.OuterRim(),            gauge.Needle(),
        gauge.Arc(),      gauge.Arc()->Threshold(), gauge.Font(),      gauge.ValueFont(),
        gauge.Sections(),
    };
    for (int i = 0; i < gauge.Sections()->Count(); ++i) {
        objects.push_back(gauge.Sections()->Items(i));
        objects.push_back(gauge.Sections()->Items(i)->Gloss());
    }
    return objects;
}

// The object of the same class in the other gauge, for object-valued properties.
QObject *counterpart(TDialGauge &gauge, TDialGauge &other, const QObject *object)
{
    const std::vector<QObject *> mine = targets(gauge);
    const std::vector<QObject *> theirs = targets(other);
    for (std::size_t i = 0; i < mine.size() && i < theirs.size(); ++i) {
        if (mine[i] == object)
            return theirs[i];
    }
    return nullptr;
}

void writeProperty(Reader &in, TDialGauge &gauge, TDialGauge &donor)
{
    const std::vector<QObject *> objects = targets(gauge);
    QObject *object = objects[in.byte() % objects.size()];
    const QMetaObject *meta = object->metaObject();
    // The gauge's own properties; QWidget's (geometry, style sheet, ...) are Qt's.
    const int first = object == &gauge ? TDialGauge::staticMetaObject.propertyOffset() : 0;
    const int count = meta->propertyCount() - first;
    const QMetaProperty property = meta->property(first + in.byte() % count);
    if (!property.isWritable())
        return;

    QVariant value;
    if (property.isEnumType()) {
        const QMetaEnum enumerator = property.enumerator();
        // A flag set takes any bits; an enumeration only its own values.
        value = property.isFlagType() ? in.anyInt()
                                      : enumerator.value(in.byte() % enumerator.keyCount());
    } else if (property.metaType().flags() & QMetaType::PointerToQObject) {
        QObject *source = in.flag() ? counterpart(gauge, donor, object->property(property.name())
                                                              .value<QObject *>())
                                    : object->property(property.name()).value<QObject *>();
        value = QVariant(property.metaType(), &source);
    } else {
        switch (property.metaType().id()) {
        case QMetaType::Int: value = in.anyInt(); break;
        case QMetaType::Double: value = in.anyDouble(gauge); break;
        case QMetaType::Bool: value = in.flag(); break;
        case QMetaType::QString: value = in.text(); break;
        default:
            std::fprintf(stderr, "property %s of an unhandled type %s\n", property.name(),
                         property.typeName());
            std::abort();
        }
    }
    property.write(object, value);
}

void changeSections(Reader &in, TDialGauge &gauge)
{
    TDialGaugeSections &sections = *gauge.Sections();
    switch (in.byte() % 4) {
    case 0:
        if (sections.Count() < 8)
            sections.Add();
        break;
    case 1:
        if (sections.Count() < 8)
            sections.Insert(in.range(-2, 10));
        break;
    case 2: sections.Delete(in.range(-2, 10)); break;
    default: sections.Clear(); break;
    }
}

void pressKey(Reader &in, TDialGauge &gauge)
{
    static const int keys[] = {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End,   Qt::Key_Home,
                               Qt::Key_Left,   Qt::Key_Up,       Qt::Key_Right, Qt::Key_Down,
                               Qt::Key_Tab,    Qt::Key_A,        Qt::Key_Space, Qt::Key_Escape};
    const int key = keys[in.byte() % std::size(keys)];
    // Shift, Control and Alt in any combination.
    const auto modifiers = Qt::KeyboardModifiers::fromInt((in.byte() & 0x0E) << 24);
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(&gauge, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QCoreApplication::sendEvent(&gauge, &release);
}

void click(Reader &in, TDialGauge &gauge)
{
    const QPointF at(in.range(-50, 2050), in.range(-50, 2050));
    static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    const Qt::MouseButton button = buttons[in.byte() % std::size(buttons)];
    QMouseEvent press(QEvent::MouseButtonPress, at, at, button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(&gauge, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, at, button, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(&gauge, &release);
}

void paint(TDialGauge &gauge)
{
    if (gauge.width() <= 0 || gauge.height() <= 0)
        return;
    QImage image(gauge.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(0);
    try {
        gauge.render(&image);
    } catch (...) {
        fail("a paint threw", gauge);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_DialGauge";
    static char *argv[] = {name, nullptr};
    // Never destroyed: Qt's own statics may be gone by the time exit runs.
    new QApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Reader in(data, size);
    TDialGauge gauge;
    // Source of object-valued properties and of whole-gauge copies; its
    // values come from the input too.
    TDialGauge donor;
    int loading = 0;
    gauge.OnValueChanged = [&](QObject *, double value) {
        if (!std::isfinite(value))
            fail("OnValueChanged with a value that is not finite", gauge);
    };

    for (int operation = 0; operation < 64 && !in.done(); ++operation) {
        switch (in.byte() % 14) {
        case 0: case 1: writeProperty(in, gauge, donor); break;
        case 2: writeProperty(in, donor, gauge); break;
        case 3: gauge.SetValue(in.anyDouble(gauge)); break;
        case 4: gauge.ApplyStyle(in.byte()); break;
        case 5: changeSections(in, gauge); break;
        case 6: resizeTo(gauge, in.range(0, 2000), in.range(0, 2000)); break;
        // Keys and clicks change the value only with TabStop on.
        case 7: gauge.SetTabStop(gauge.TabStop() || in.flag()); pressKey(in, gauge); break;
        case 8: gauge.SetTabStop(gauge.TabStop() || in.flag()); click(in, gauge); break;
        case 9: for (int tick = in.range(1, 64); tick > 0; --tick) gauge.AnimationStep(); break;
        case 10: paint(gauge); break;
        case 11: gauge.Assign(&donor); break;
        case 12:
            if (in.flag()) {
                if (loading < 4) { gauge.BeginLoading(); ++loading; }
            } else if (loading > 0) {
                gauge.EndLoading();
                --loading;
            }
            break;
        default: gauge.SetDesignMode(in.byte() % 4 == 0); break;
        }
        checkInvariants(gauge);
    }
    while (loading-- > 0)
        gauge.EndLoading();
    checkInvariants(gauge);

    // Nothing runs the event loop: drop what the gauge posted (repaints, and
    // error boxes for a refused read-out format) so it cannot pile up.
    QCoreApplication::removePostedEvents(nullptr);
    return 0;
}
