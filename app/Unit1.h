// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <memory>

#include "app/CrushCalculation.h"
#include "platform/AutoSelectEdit.h"

class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class TForm2;

// The calculator's main window "Form1": a fixed, frameless, always-on-top
// panel with the crush measurements, stiffness coefficients, angle, mass and
// wheelbase fields, three read-only result fields, four buttons and the gauge.
// It is moved by dragging its title strip.
class TForm1 : public QWidget, public CalculationFields
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // The about window that "&Informacion" shows; without one the main window
    // makes its own on first use.
    void setAboutWindow(TForm2 *form);
    TForm2 *aboutWindow();

    // Field access for the calculation, by objectName ("xMasa", "xKms", ...).
    QString fieldText(const QString &field) const override;
    void setFieldText(const QString &field, const QString &text) override;
    void setGaugeValue(double value) override;

    // The fields' start-up and cleared text: "0.00" with the regional
    // decimal symbol.
    static QString zeroText();

    // Controls, named as in the window's layout.
    QFrame *Shape1;
    QLabel *Label9;
    QLabel *Image1;
    QLabel *Label20;
    QLabel *Label21;
    QLabel *Label29;
    QLabel *Label30;
    AutoSelectEdit *xAnguloFPI;
    QGroupBox *GroupBox1;
    QLabel *Label13, *Label14, *Label15, *Label16, *Label17, *Label18, *Label19;
    AutoSelectEdit *xL, *xC1, *xC2, *xC3, *xC4, *xC5, *xC6;
    QLabel *Label22, *Label23, *Label24, *Label25, *Label26, *Label27, *Label28;
    QGroupBox *GroupBox2;
    QLabel *Label7;
    AutoSelectEdit *xA;
    QLabel *Label5;
    QLabel *Label8;
    AutoSelectEdit *xB;
    QLabel *Label6;
    QGroupBox *GroupBox3;
    QLabel *RichEdit2;
    AutoSelectEdit *xEDeformacion;
    QLabel *Label10;
    QGroupBox *GroupBox4;
    QLabel *RichEdit3;
    AutoSelectEdit *xMs;
    QLabel *Label11;
    AutoSelectEdit *xKms;
    QLabel *Label12;
    QPushButton *Calcular;
    QPushButton *Cerrar;
    QGroupBox *GroupBox5;
    QLabel *RichEdit1;
    QLabel *Label1;
    AutoSelectEdit *xMasa;
    QLabel *Label3;
    QLabel *Label2;
    AutoSelectEdit *xBatalla;
    QLabel *Label4;
    QPushButton *Limpiar;
    QPushButton *Informacion;
    QWidget *DialGauge1;

public slots:
    void CalcularVelocidad();
    void CalcularClick();
    void LimpiarClick();
    void InformacionClick();
    void CerrarClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint &pos);
    void Label20MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint &pos);
    // Key preview: true when the key was taken and must not reach the control.
    bool FormKeyPress(QObject *sender, QKeyEvent *key);

    void buildReferenceGroup();
    void buildStiffnessGroup();
    void buildCrushGroup();
    void buildEnergyGroup();
    void buildSpeedGroup();
    void buildTabOrder();
    void installKeyPreview();

    TForm2 *m_about = nullptr;
    std::unique_ptr<TForm2> m_ownAbout;
    bool m_placed = false;
};
