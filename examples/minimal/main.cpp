// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QSlider>
#include <QVBoxLayout>

#include <DialGauge/DialGauge.h>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;

    auto *gauge = new TDialGauge;
    gauge->SetMaximumValue(250);              // the scale: 0 to 250
    gauge->SetDialText(QStringLiteral("km/h"));
    gauge->ApplyStyle(4);                     // light blue preset

    auto *slider = new QSlider(Qt::Horizontal);
    slider->setRange(0, 250);
    // Each new value glides in; values outside the scale are ignored.
    QObject::connect(slider, &QSlider::valueChanged, gauge, &TDialGauge::SetValue);
    QObject::connect(gauge, &TDialGauge::valueChanged, [&window](double value) {
        window.setWindowTitle(QString::number(value, 'f', 1));
    });

    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(gauge);
    layout->addWidget(slider);
    window.show();
    return app.exec();
}
