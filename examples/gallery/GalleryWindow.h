// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QWidget>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QSlider;
class QSpinBox;
class QTimer;
class TDialGauge;

// The gallery: the ten style presets side by side, each gliding to values of
// its own, with controls that act on all ten (value, animation, limits,
// sections); a gauge that follows a slider; and one that takes the keyboard.
// Every part has an objectName, so that a test finds it.
class GalleryWindow : public QWidget
{
    Q_OBJECT

public:
    explicit GalleryWindow(QWidget *parent = nullptr);

    // "preset0" .. "preset9", in preset order.
    QList<TDialGauge *> PresetGauges() const;
    // Moves every preset gauge on to its next value of the live sequence
    // (the "live" timer does this every two seconds).
    void NextLiveValues();

private:
    QWidget *BuildPresets();
    QWidget *BuildControls();
    QWidget *BuildSliderDemo();
    QWidget *BuildKeyboardDemo();

    // Each control acts on the ten preset gauges.
    void SetValue(double value);
    void SetAnimation(bool on);
    void SetAnimationFactor(int factor);
    void SetMinimum(int minimum);
    void SetMaximum(int maximum);
    void SetSections(bool on);
    // The value controls and the bands follow the scale.
    void LimitsChanged();

    QList<TDialGauge *> m_presets;
    int m_liveStep = 0;
    QTimer *m_liveTimer = nullptr;
    QCheckBox *m_live = nullptr;
    QSlider *m_valueSlider = nullptr;
    QDoubleSpinBox *m_valueSpin = nullptr;
    QSpinBox *m_minimum = nullptr;
    QSpinBox *m_maximum = nullptr;
    QCheckBox *m_sections = nullptr;
    TDialGauge *m_keyboard = nullptr;
    QLabel *m_keyboardValue = nullptr;
};
