// SPDX-License-Identifier: MIT
#include "app/Unit1.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QShortcutEvent>

#include "app/FormControls.h"
#include "app/MainGauge.h"
#include "app/Unit2.h"
#include "platform/AutoSelectEdit.h"
#include "platform/ErrorBox.h"
#include "platform/NumberText.h"
#include "platform/WindowDrag.h"

using namespace FormControls;

namespace {

QGroupBox *groupBox(QWidget *parent, const QString &name, const QRect &geometry,
                    const QString &caption)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setFont(sansSerif());
    box->setAutoFillBackground(true);
    setColour(box, QPalette::Window, clWhite);
    setColour(box, QPalette::WindowText, clLabelBlue);
    return box;
}

AutoSelectEdit *inputField(QWidget *parent, const QString &name, const QRect &geometry)
{
    AutoSelectEdit *e = edit(parent, name, geometry, TForm1::zeroText());
    setColour(e, QPalette::Text, clBlack);
    return e;
}

AutoSelectEdit *resultField(QWidget *parent, const QString &name, const QRect &geometry,
                            TColor colour)
{
    AutoSelectEdit *e = edit(parent, name, geometry, TForm1::zeroText());
    e->setReadOnly(true);
    e->setFont(font(QStringLiteral("Tahoma"), 19, true));
    setColour(e, QPalette::Text, colour);
    return e;
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Cálculo de la Velocidad Equivalente de Barrera (EBS)"));
    setFixedSize(655, 397);
    setFont(sansSerif());
    setColour(this, QPalette::Window, clBtnFace);

    Shape1 = shape(this, QStringLiteral("Shape1"), {0, 0, 655, 397});
    Label9 = label(this, QStringLiteral("Label9"), {197, 112, 90, 13},
                   QStringLiteral("Angulo de Colisión:"));
    setColour(Label9, QPalette::WindowText, clLabelBlue);
    Image1 = image(this, QStringLiteral("Image1"), {1, 1, 653, 20});
    Label20 = label(this, QStringLiteral("Label20"), {6, 4, 341, 13},
                    QStringLiteral("Velocidad EBS por Deformación - Versión 1.0"));
    Label20->setFont(sansSerif(true));
    setColour(Label20, QPalette::WindowText, clWindowText);
    Label21 = label(this, QStringLiteral("Label21"), {18, 376, 328, 13},
                    QStringLiteral("Proyecto VelocidadEBS - Software libre"), Qt::AlignHCenter);
    Label21->setFont(sansSerif(true));
    setColour(Label21, QPalette::WindowText, clNavy);
    Label29 = label(this, QStringLiteral("Label29"), {371, 360, 269, 13},
                    QStringLiteral("Versión diseñada para países donde el"), Qt::AlignHCenter);
    Label30 = label(this, QStringLiteral("Label30"), {371, 376, 269, 13},
                    QStringLiteral("signo decimal sea igual al punto \".\""), Qt::AlignHCenter);
    for (QLabel *notice : {Label29, Label30}) {
        notice->setFont(sansSerif(true));
        setColour(notice, QPalette::WindowText, clRed);
    }

    xAnguloFPI = inputField(this, QStringLiteral("xAnguloFPI"), {290, 110, 52, 21});
    GroupBox1 = groupBox(this, QStringLiteral("GroupBox1"), {11, 143, 167, 199},
                         QStringLiteral(" Mediciones Zona Deformada "));
    buildCrushGroup();
    GroupBox2 = groupBox(this, QStringLiteral("GroupBox2"), {192, 29, 153, 72},
                         QStringLiteral(" Coeficientes de Rigidez "));
    buildStiffnessGroup();
    GroupBox3 = groupBox(this, QStringLiteral("GroupBox3"), {191, 143, 153, 79}, QString());
    buildEnergyGroup();
    GroupBox4 = groupBox(this, QStringLiteral("GroupBox4"), {192, 225, 153, 117}, QString());
    buildSpeedGroup();
    Calcular = button(this, QStringLiteral("Calcular"), {11, 345, 139, 25},
                      QStringLiteral("&Calcular"));
    Cerrar = button(this, QStringLiteral("Cerrar"), {630, 2, 21, 16}, QStringLiteral("X"));
    Cerrar->setFont(sansSerif(true));
    GroupBox5 = groupBox(this, QStringLiteral("GroupBox5"), {11, 29, 168, 108}, QString());
    buildReferenceGroup();
    Limpiar = button(this, QStringLiteral("Limpiar"), {157, 345, 91, 25},
                     QStringLiteral("&Limpiar Casillas"));
    Informacion = button(this, QStringLiteral("Informacion"), {255, 345, 89, 25},
                         QStringLiteral("&Informacion"));
    DialGauge1 = MainGauge::create(this);

    connect(Calcular, &QPushButton::clicked, this, &TForm1::CalcularClick);
    connect(Cerrar, &QPushButton::clicked, this, &TForm1::CerrarClick);
    connect(Limpiar, &QPushButton::clicked, this, &TForm1::LimpiarClick);
    connect(Informacion, &QPushButton::clicked, this, &TForm1::InformacionClick);
    Image1->installEventFilter(this);
    Label20->installEventFilter(this);
    installKeyPreview();
    buildTabOrder();
    xMasa->setFocus();
}

TForm1::~TForm1() = default;

void TForm1::buildReferenceGroup()
{
    QWidget *g = GroupBox5;
    RichEdit1 = staticText(g, QStringLiteral("RichEdit1"), {8, 7, 153, 44},
                           {QStringLiteral("Datos de referencia para "),
                            QStringLiteral("elección de valores de "),
                            QStringLiteral("coeficiente de rigidez")});
    Label1 = label(g, QStringLiteral("Label1"), {22, 59, 29, 13}, QStringLiteral("Masa:"));
    xMasa = inputField(g, QStringLiteral("xMasa"), {61, 56, 57, 21});
    Label3 = label(g, QStringLiteral("Label3"), {124, 60, 15, 13}, QStringLiteral("kg."));
    Label2 = label(g, QStringLiteral("Label2"), {23, 84, 35, 13}, QStringLiteral("Batalla:"));
    xBatalla = inputField(g, QStringLiteral("xBatalla"), {61, 80, 58, 21});
    Label4 = label(g, QStringLiteral("Label4"), {125, 83, 20, 13}, QStringLiteral("Mts."));
}

void TForm1::buildStiffnessGroup()
{
    QWidget *g = GroupBox2;
    Label7 = label(g, QStringLiteral("Label7"), {13, 24, 10, 13}, QStringLiteral("A:"));
    xA = inputField(g, QStringLiteral("xA"), {29, 20, 77, 21});
    Label5 = label(g, QStringLiteral("Label5"), {111, 24, 21, 13}, QStringLiteral("N/m"));
    Label8 = label(g, QStringLiteral("Label8"), {14, 48, 10, 13}, QStringLiteral("B:"));
    xB = inputField(g, QStringLiteral("xB"), {29, 44, 77, 21});
    Label6 = label(g, QStringLiteral("Label6"), {112, 47, 33, 13}, QStringLiteral("N/m^2"));
}

void TForm1::buildCrushGroup()
{
    struct Row
    {
        QLabel **caption;
        const char *captionName;
        const char *captionText;
        int labelTop;
        AutoSelectEdit **field;
        const char *fieldName;
        int editTop;
        QLabel **unit;
        const char *unitName;
    };
    const Row rows[] = {
        {&Label13, "Label13", "L:", 28, &xL, "xL", 24, &Label22, "Label22"},
        {&Label14, "Label14", "C1:", 51, &xC1, "xC1", 48, &Label23, "Label23"},
        {&Label15, "Label15", "C2:", 75, &xC2, "xC2", 72, &Label24, "Label24"},
        {&Label16, "Label16", "C3:", 100, &xC3, "xC3", 96, &Label25, "Label25"},
        {&Label17, "Label17", "C4:", 123, &xC4, "xC4", 120, &Label26, "Label26"},
        {&Label18, "Label18", "C5:", 146, &xC5, "xC5", 144, &Label27, "Label27"},
        {&Label19, "Label19", "C6:", 170, &xC6, "xC6", 168, &Label28, "Label28"},
    };
    for (const Row &row : rows) {
        const QString text = QString::fromUtf8(row.captionText);
        const int width = text == QLatin1String("L:") ? 9 : 16;
        *row.caption = label(GroupBox1, QString::fromLatin1(row.captionName),
                             {12, row.labelTop, width, 13}, text);
        *row.field = inputField(GroupBox1, QString::fromLatin1(row.fieldName),
                                {32, row.editTop, 92, 21});
        // The unit sits level with the caption.
        *row.unit = label(GroupBox1, QString::fromLatin1(row.unitName),
                          {127, row.labelTop, 31, 13}, QStringLiteral("metros"));
    }
}

void TForm1::buildEnergyGroup()
{
    QWidget *g = GroupBox3;
    RichEdit2 = staticText(g, QStringLiteral("RichEdit2"), {2, 8, 148, 29},
                           {QStringLiteral("Energía perdida por "), QStringLiteral("deformación")});
    xEDeformacion = resultField(g, QStringLiteral("xEDeformacion"), {8, 39, 109, 31}, clNavy);
    Label10 = label(g, QStringLiteral("Label10"), {121, 49, 26, 13}, QStringLiteral("Julios"));
}

void TForm1::buildSpeedGroup()
{
    QWidget *g = GroupBox4;
    RichEdit3 = staticText(g, QStringLiteral("RichEdit3"), {2, 8, 148, 29},
                           {QStringLiteral("Velocidad Equivalente de "),
                            QStringLiteral("Barrera (EBS)")});
    xMs = resultField(g, QStringLiteral("xMs"), {13, 41, 99, 31}, clAqua);
    Label11 = label(g, QStringLiteral("Label11"), {116, 49, 18, 13}, QStringLiteral("m/s"));
    xKms = resultField(g, QStringLiteral("xKms"), {13, 78, 99, 31}, clNavy);
    Label12 = label(g, QStringLiteral("Label12"), {115, 84, 25, 13}, QStringLiteral("km/h"));
}

void TForm1::buildTabOrder()
{
    QWidget *const cycle[] = {xMasa, xBatalla, xA, xB, xL, xC1, xC2, xC3, xC4, xC5,
                              xC6, xAnguloFPI, xEDeformacion, xMs, xKms,
                              Calcular, Limpiar, Informacion, Cerrar};
    for (size_t i = 0; i + 1 < std::size(cycle); ++i)
        QWidget::setTabOrder(cycle[i], cycle[i + 1]);
}

void TForm1::installKeyPreview()
{
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

QString TForm1::zeroText()
{
    return QLatin1Char('0') + DecimalSeparator() + QLatin1String("00");
}

void TForm1::setAboutWindow(TForm2 *form)
{
    m_about = form;
}

TForm2 *TForm1::aboutWindow()
{
    if (!m_about) {
        m_ownAbout = std::make_unique<TForm2>();
        m_about = m_ownAbout.get();
    }
    return m_about;
}

QString TForm1::fieldText(const QString &field) const
{
    if (const auto *e = findChild<AutoSelectEdit *>(field))
        return e->text();
    return QString();
}

void TForm1::setFieldText(const QString &field, const QString &text)
{
    if (auto *e = findChild<AutoSelectEdit *>(field))
        e->showText(text);
}

void TForm1::setGaugeValue(double value)
{
    MainGauge::setValue(DialGauge1, value);
}

void TForm1::CalcularVelocidad()
{
    CrushCalculation::run(*this);
}

void TForm1::CalcularClick()
{
    ErrorBox::guard([this] { CalcularVelocidad(); });
}

void TForm1::LimpiarClick()
{
    const QString zero = zeroText();
    for (AutoSelectEdit *field : {xMasa, xBatalla, xA, xB, xL, xC1, xC2, xC3, xC4, xC5, xC6,
                                  xAnguloFPI, xEDeformacion, xMs, xKms})
        field->showText(zero);
    // Selected, so that typing replaces the zero; Alt+L from the mass field
    // leaves the focus there and brings no focus event.
    xMasa->focusSelected();
}

void TForm1::InformacionClick()
{
    ErrorBox::guard([this] {
        aboutWindow()->exec();
        // Back to the field the user left, also where no window manager
        // re-activates the main window.
        if (isVisible() && QApplication::activeWindow() != this)
            activateWindow();
    });
}

void TForm1::CerrarClick()
{
    close();
}

void TForm1::Image1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, const QPoint &pos)
{
    WindowDrag::start(this, Image1->mapToGlobal(pos));
}

void TForm1::Label20MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, const QPoint &pos)
{
    WindowDrag::start(this, Label20->mapToGlobal(pos));
}

bool TForm1::FormKeyPress(QObject *sender, QKeyEvent *key)
{
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    // A focused button has already been pressed by its own Enter handling.
    if (qobject_cast<QPushButton *>(sender))
        return false;
    focusNextChild();
    return true;
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return FormKeyPress(watched, static_cast<QKeyEvent *>(event));
    case QEvent::Shortcut:
        // An accelerator presses its button at once and leaves the focus
        // where the user was typing (Qt would move it onto the button).
        if (auto *pushButton = qobject_cast<QPushButton *>(watched);
            pushButton && !static_cast<QShortcutEvent *>(event)->isAmbiguous()) {
            pushButton->click();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (watched == Image1) {
            Image1MouseDown(mouse->button(), mouse->modifiers(), mouse->position().toPoint());
            return true;
        }
        if (watched == Label20) {
            Label20MouseDown(mouse->button(), mouse->modifiers(), mouse->position().toPoint());
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::showEvent(QShowEvent *event)
{
    if (!m_placed && !event->spontaneous()) {
        // Centred once, before the window first appears; later showings
        // (after minimising) keep wherever the user dragged it.
        const QRect desktop = screen()->availableGeometry();
        move(desktop.x() + (desktop.width() - width()) / 2,
             desktop.y() + (desktop.height() - height()) / 2);
        m_placed = true;
    }
    QWidget::showEvent(event);
}
