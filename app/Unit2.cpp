// SPDX-License-Identifier: MIT
#include "app/Unit2.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "app/FormControls.h"

using namespace FormControls;

TForm2::TForm2(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                          | Qt::WindowSystemMenuHint)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Acerca de..."));
    setFixedSize(357, 395);
    setFont(sansSerif());
    setColour(this, QPalette::Window, clBtnFace);

    Shape1 = shape(this, QStringLiteral("Shape1"), {0, 0, 357, 395});
    Image1 = image(this, QStringLiteral("Image1"), {1, 1, 355, 20});
    Label20 = label(this, QStringLiteral("Label20"), {6, 4, 119, 13},
                    QStringLiteral("Acerca del Programa"));
    Label20->setFont(sansSerif(true));
    setColour(Label20, QPalette::WindowText, clWindowText);
    Button2 = button(this, QStringLiteral("Button2"), {333, 2, 21, 16}, QStringLiteral("X"));
    Button2->setFont(sansSerif(true));
    Button2->setDefault(true);
    RichEdit1 = staticText(this, QStringLiteral("RichEdit1"), {4, 24, 349, 366}, aboutLines());
    setColour(RichEdit1, QPalette::WindowText, clWindowText);
    // Lines too long for the block are cut at its edges, never wrapped.
    RichEdit1->setWordWrap(false);

    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
}

QStringList TForm2::aboutLines()
{
    const QString rule98(98, QLatin1Char('-'));
    const QString rule82(82, QLatin1Char('-'));
    return {
        QStringLiteral("Programa basado en la fórmula de"),
        QString(),
        QStringLiteral("Campbell - McHenry"),
        QString(),
        QStringLiteral("Para calcular la velocidad de un vehículo por medio de seis "),
        QStringLiteral("medidas de deformación."),
        QString(),
        rule98,
        QStringLiteral("Escrito por los colaboradores del proyecto VelocidadEBS"),
        QStringLiteral("Revisión 1.0"),
        QStringLiteral("Programa de libre distribución, sin garantía de ningún tipo"),
        rule98,
        QStringLiteral("Envíe sus sugerencias al registro de incidencias del proyecto"),
        rule82,
        QString(),
        QStringLiteral("Los Coeficientes de Rigidez puedes consultarlos desde la"),
        QStringLiteral("siguiente dirección: "),
        QString(),
        QStringLiteral("National Highway Traffic Safety Administration"),
        QStringLiteral("https://www.nhtsa.gov"),
    };
}

void TForm2::Button2Click()
{
    reject();
}

void TForm2::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        const QRect desktop = screen()->availableGeometry();
        move(desktop.x() + (desktop.width() - width()) / 2,
             desktop.y() + (desktop.height() - height()) / 2);
    }
    QDialog::showEvent(event);
    // Without a window manager nothing would give the window the keyboard.
    activateWindow();
}
