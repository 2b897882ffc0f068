// SPDX-License-Identifier: MIT
#include "app/FormControls.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "app/TitleStrip.h"
#include "platform/AutoSelectEdit.h"

namespace FormControls {

namespace {

// The layouts were measured in a narrow bitmap face that Linux desktops lack;
// fontconfig's default stand-in is wide enough to cut off the labels' last
// letters, so narrow faces come first.
void addSubstitutes()
{
    static const bool added = [] {
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Liberation Sans Narrow"),
                                    QStringLiteral("Nimbus Sans Narrow"),
                                    QStringLiteral("DejaVu Sans Condensed")});
        return true;
    }();
    Q_UNUSED(added);
}

} // namespace

QFont font(const QString &family, int pixelHeight, bool bold)
{
    addSubstitutes();
    QFont f(family);
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelHeight);
    f.setBold(bold);
    return f;
}

QFont sansSerif(bool bold)
{
    return font(QStringLiteral("MS Sans Serif"), 11, bold);
}

void setColour(QWidget *widget, QPalette::ColorRole role, TColor colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, QColor::fromRgb(ColorToRgb(colour)));
    widget->setPalette(palette);
}

QFrame *shape(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    frame->setAutoFillBackground(true);
    setColour(frame, QPalette::Window, clWhite);
    setColour(frame, QPalette::WindowText, clFrameBlue);
    return frame;
}

QLabel *image(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setGeometry(geometry);
    picture->setPixmap(TitleStrip::stretched(geometry.size()));
    return picture;
}

QLabel *label(QWidget *parent, const QString &name, const QRect &geometry, const QString &text,
              Qt::Alignment alignment)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(alignment | Qt::AlignTop);
    l->setText(text);
    return l;
}

QLabel *staticText(QWidget *parent, const QString &name, const QRect &geometry,
                   const QStringList &lines)
{
    QLabel *l = label(parent, name, geometry, lines.join(QLatin1Char('\n')), Qt::AlignHCenter);
    l->setEnabled(false);
    l->setTextInteractionFlags(Qt::NoTextInteraction);
    // Disabled only to keep the focus away: the text keeps its colour.
    QPalette palette = l->palette();
    palette.setColor(QPalette::Disabled, QPalette::WindowText,
                     palette.color(QPalette::Active, QPalette::WindowText));
    l->setPalette(palette);
    return l;
}

AutoSelectEdit *edit(QWidget *parent, const QString &name, const QRect &geometry,
                     const QString &text)
{
    auto *e = new AutoSelectEdit(parent);
    e->setObjectName(name);
    e->setGeometry(geometry);
    e->showText(text);
    return e;
}

QPushButton *button(QWidget *parent, const QString &name, const QRect &geometry,
                    const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setAutoDefault(true);
    return b;
}

} // namespace FormControls
