// SPDX-License-Identifier: MIT
#include "GalleryWindow.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

#include <DialGauge/DialGauge.h>

namespace {

constexpr int PresetSize = 160;
constexpr int DemoSize = 220;

const char *const PresetNames[10] = {
    "blue",
    "grey-violet",
    "olive green",
    "grey",
    "light blue",
    "light on dark slate",
    "dark slate on button face",
    "dark slate on off-white",
    "no change (the defaults)",
    "dark slate on blue-grey",
};

// A band as fractions of the scale; colours are 0x00BBGGRR.
struct Band
{
    double from;
    double to;
    TColor color;
};
constexpr Band Bands[] = {
    {0.0, 0.6, 0x00B050},
    {0.6, 0.85, 0x00C8FF},
    {0.85, 1.0, 0x0000E0},
};

// Replaces the gauge's sections by the three bands over its present scale,
// as a ring from 12 % of its width in from the edge to 20 % of its width
// around the centre.
void SetBands(TDialGauge &gauge, bool on)
{
    TDialGaugeSections &sections = *gauge.Sections();
    sections.Clear();
    if (!on)
        return;
    const double low = gauge.MinimumValue();
    const double range = double(gauge.MaximumValue()) - low;
    for (const Band &band : Bands) {
        TDialGaugeSection *section = sections.Add();
        section->SetColor(band.color);
        section->SetStartValue(low + band.from * range);
        section->SetEndValue(low + band.to * range);
        section->SetOuterMargin(gauge.width() * 12 / 100);
        section->SetInnerMargin(gauge.width() * 20 / 100);
    }
}

// The live sequence: each gauge swings on its own phase across 5 % .. 95 %
// of its scale.
double LiveValue(const TDialGauge &gauge, int index, int step)
{
    const double fraction = 0.5 + 0.45 * std::sin(1.3 * index + 0.8 * step);
    const double low = gauge.MinimumValue();
    return std::round(low + fraction * (double(gauge.MaximumValue()) - low));
}

QLabel *Caption(const QString &text)
{
    auto *label = new QLabel(text);
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(true);
    return label;
}

} // namespace

GalleryWindow::GalleryWindow(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(tr("DialGauge gallery"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(BuildPresets());
    auto *row = new QHBoxLayout;
    row->addWidget(BuildControls(), 3);
    row->addWidget(BuildSliderDemo(), 2);
    row->addWidget(BuildKeyboardDemo(), 2);
    layout->addLayout(row);

    m_liveTimer = new QTimer(this);
    m_liveTimer->setInterval(2000);
    connect(m_liveTimer, &QTimer::timeout, this, &GalleryWindow::NextLiveValues);
    NextLiveValues();
    m_liveTimer->start();
    // The keyboard gauge holds the focus once the window is shown.
    m_keyboard->setFocus();
}

QList<TDialGauge *> GalleryWindow::PresetGauges() const
{
    return m_presets;
}

void GalleryWindow::NextLiveValues()
{
    for (int i = 0; i < m_presets.size(); ++i)
        m_presets[i]->SetValue(LiveValue(*m_presets[i], i, m_liveStep));
    ++m_liveStep;
}

QWidget *GalleryWindow::BuildPresets()
{
    auto *box = new QGroupBox(tr("The ten style presets, ApplyStyle(0) to ApplyStyle(9)"));
    auto *grid = new QGridLayout(box);
    for (int preset = 0; preset < 10; ++preset) {
        auto *gauge = new TDialGauge;
        gauge->setObjectName(QStringLiteral("preset%1").arg(preset));
        gauge->setFixedSize(PresetSize, PresetSize);
        gauge->ApplyStyle(quint8(preset));
        gauge->setAccessibleName(tr("Preset %1").arg(preset));
        m_presets << gauge;
        auto *cell = new QVBoxLayout;
        cell->addWidget(gauge, 0, Qt::AlignHCenter);
        cell->addWidget(Caption(QStringLiteral("%1 \u00b7 %2").arg(preset).arg(tr(PresetNames[preset]))));
        grid->addLayout(cell, preset / 5, preset % 5);
    }
    return box;
}

QWidget *GalleryWindow::BuildControls()
{
    auto *box = new QGroupBox(tr("Controls for the ten presets"));
    auto *form = new QFormLayout(box);

    m_live = new QCheckBox(tr("Each glides to a new value every two seconds"));
    m_live->setObjectName(QStringLiteral("live"));
    m_live->setChecked(true);
    connect(m_live, &QCheckBox::toggled, this, [this](bool on) {
        if (on) {
            NextLiveValues();
            m_liveTimer->start();
        } else {
            m_liveTimer->stop();
        }
    });
    form->addRow(tr("Live:"), m_live);

    m_valueSlider = new QSlider(Qt::Horizontal);
    m_valueSlider->setObjectName(QStringLiteral("valueSlider"));
    m_valueSpin = new QDoubleSpinBox;
    m_valueSpin->setObjectName(QStringLiteral("valueSpin"));
    m_valueSpin->setDecimals(2);
    auto *value = new QHBoxLayout;
    value->addWidget(m_valueSlider, 1);
    value->addWidget(m_valueSpin);
    connect(m_valueSlider, &QSlider::valueChanged, this, [this](int v) { SetValue(v); });
    connect(m_valueSpin, &QDoubleSpinBox::valueChanged, this, &GalleryWindow::SetValue);
    form->addRow(tr("Value:"), value);

    auto *animation = new QCheckBox(tr("On"));
    animation->setObjectName(QStringLiteral("animation"));
    animation->setChecked(true);
    connect(animation, &QCheckBox::toggled, this, &GalleryWindow::SetAnimation);
    auto *factor = new QSpinBox;
    factor->setObjectName(QStringLiteral("animationFactor"));
    factor->setRange(1, 50);
    factor->setValue(5);
    factor->setPrefix(tr("factor "));
    connect(factor, &QSpinBox::valueChanged, this, &GalleryWindow::SetAnimationFactor);
    auto *animationRow = new QHBoxLayout;
    animationRow->addWidget(animation);
    animationRow->addWidget(factor);
    animationRow->addStretch();
    form->addRow(tr("Animation:"), animationRow);

    // Each limit's box stops one short of the other, so that no entry can
    // cross them: the gauge would refuse it silently.
    m_minimum = new QSpinBox;
    m_minimum->setObjectName(QStringLiteral("minimum"));
    m_maximum = new QSpinBox;
    m_maximum->setObjectName(QStringLiteral("maximum"));
    m_minimum->setRange(-1000, 99);
    m_minimum->setValue(0);
    m_maximum->setRange(1, 1000);
    m_maximum->setValue(100);
    connect(m_minimum, &QSpinBox::valueChanged, this, &GalleryWindow::SetMinimum);
    connect(m_maximum, &QSpinBox::valueChanged, this, &GalleryWindow::SetMaximum);
    auto *limits = new QHBoxLayout;
    limits->addWidget(m_minimum);
    limits->addWidget(new QLabel(tr("to")));
    limits->addWidget(m_maximum);
    limits->addStretch();
    form->addRow(tr("Scale:"), limits);

    m_sections = new QCheckBox(tr("Green, yellow and red bands"));
    m_sections->setObjectName(QStringLiteral("sections"));
    connect(m_sections, &QCheckBox::toggled, this, &GalleryWindow::SetSections);
    form->addRow(tr("Sections:"), m_sections);

    LimitsChanged();
    return box;
}

QWidget *GalleryWindow::BuildSliderDemo()
{
    auto *box = new QGroupBox(tr("Following a slider"));
    auto *layout = new QVBoxLayout(box);
    auto *gauge = new TDialGauge;
    gauge->setObjectName(QStringLiteral("sliderGauge"));
    gauge->setFixedSize(DemoSize, DemoSize);
    gauge->SetMaximumValue(250);
    gauge->SetDivisionCount(5);
    gauge->SetSubDivisionCount(4);
    gauge->SetDialText(QStringLiteral("km/h"));
    gauge->SetValueFormat(QStringLiteral("000"));
    gauge->ApplyStyle(4);
    gauge->Arc()->Threshold()->SetCenter(200);
    SetBands(*gauge, true);
    auto *slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(QStringLiteral("speedSlider"));
    slider->setRange(0, 250);
    connect(slider, &QSlider::valueChanged, gauge, &TDialGauge::SetValue);
    slider->setValue(88);
    layout->addWidget(gauge, 0, Qt::AlignHCenter);
    layout->addWidget(slider);
    layout->addWidget(Caption(tr("The needle glides after the slider; the bands are sections.")));
    return box;
}

QWidget *GalleryWindow::BuildKeyboardDemo()
{
    auto *box = new QGroupBox(tr("Taking the keyboard"));
    auto *layout = new QVBoxLayout(box);
    auto *gauge = new TDialGauge;
    gauge->setObjectName(QStringLiteral("keyboardGauge"));
    gauge->setFixedSize(DemoSize, DemoSize);
    gauge->ApplyStyle(5);
    gauge->SetTabStop(true);
    gauge->SetValue(35);
    gauge->setAccessibleName(tr("Keyboard gauge"));
    m_keyboardValue = Caption(QString());
    m_keyboardValue->setObjectName(QStringLiteral("keyboardValue"));
    auto showValue = [this, gauge] {
        m_keyboardValue->setText(tr("Target %1").arg(QLocale().toString(gauge->AnimationTarget(), 'f', 2)));
    };
    connect(gauge, &TDialGauge::changed, this, showValue);
    showValue();
    layout->addWidget(gauge, 0, Qt::AlignHCenter);
    layout->addWidget(m_keyboardValue);
    layout->addWidget(Caption(tr("Arrows: one step. Page Up, Page Down: one division. "
                                 "Home, End: the limits. A click: the nearest tick.")));
    m_keyboard = gauge;
    return box;
}

void GalleryWindow::SetValue(double value)
{
    // A value chosen by hand stays: the live sequence stops.
    m_live->setChecked(false);
    {
        const QSignalBlocker blockSlider(m_valueSlider);
        const QSignalBlocker blockSpin(m_valueSpin);
        m_valueSlider->setValue(int(std::lround(value)));
        m_valueSpin->setValue(value);
    }
    for (TDialGauge *gauge : std::as_const(m_presets))
        gauge->SetValue(value);
}

void GalleryWindow::SetAnimation(bool on)
{
    for (TDialGauge *gauge : std::as_const(m_presets))
        gauge->SetAnimation(on);
}

void GalleryWindow::SetAnimationFactor(int factor)
{
    for (TDialGauge *gauge : std::as_const(m_presets))
        gauge->SetAnimationFactor(factor);
}

void GalleryWindow::SetMinimum(int minimum)
{
    for (TDialGauge *gauge : std::as_const(m_presets))
        gauge->SetMinimumValue(minimum);
    m_maximum->setMinimum(minimum + 1);
    LimitsChanged();
}

void GalleryWindow::SetMaximum(int maximum)
{
    for (TDialGauge *gauge : std::as_const(m_presets))
        gauge->SetMaximumValue(maximum);
    m_minimum->setMaximum(maximum - 1);
    LimitsChanged();
}

void GalleryWindow::SetSections(bool on)
{
    for (TDialGauge *gauge : std::as_const(m_presets))
        SetBands(*gauge, on);
}

void GalleryWindow::LimitsChanged()
{
    const QSignalBlocker blockSlider(m_valueSlider);
    const QSignalBlocker blockSpin(m_valueSpin);
    m_valueSlider->setRange(m_minimum->value(), m_maximum->value());
    m_valueSpin->setRange(m_minimum->value(), m_maximum->value());
    SetSections(m_sections->isChecked());
}
