// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <DialGauge/Colors.h>
#include <DialGauge/DialGaugeExport.h>

class TDialGauge;

// The gauge's published properties by the names a form file uses: the
// gauge's own ("MaximumValue") and its appearance objects' by dotted path
// ("Needle.Color", "Arc.Threshold.Span", "InnerCircle.Gloss.Opacity",
// "Font.Name"). The sections are not among them: they are set in code.
//
// A gauge also takes a dotted name through QObject::setProperty(), as
// uic-generated code and QUiLoader set it: the gauge applies the value at
// once, through the ordinary setter, and keeps no dynamic property behind
// (read the value back with Read()). A value that cannot be converted is
// refused with a warning; a value a setter refuses is refused silently.
//
// Colours are TColor integers inside the gauge. Where a colour travels as a
// QColor (a form file, Designer's editor) ToQColor() and FromQColor() map it:
// an opaque QColor is an ordinary colour, a fully transparent one is clNone,
// and any other alpha names a system colour, index 254 - alpha (clBtnFace,
// index 15, is alpha 239), shown in the colour the palette gives it now.
// A QColor cannot be written into the gauge's own integer properties, so
// its two tick colours also go by the names "Scale.DivisionColor" and
// "Scale.SubDivisionColor", which take either form.
class DIALGAUGE_EXPORT TDialGaugeProperties
{
public:
    // Every name, in published order (the order a stored form applies them
    // in: the limits before Value and before Arc.Threshold.Center). The two
    // tick colours appear under their Scale names.
    static QStringList Names();
    static bool Contains(const QString &name);
    // Whether the named property holds a TColor.
    static bool IsColor(const QString &name);

    // The value in the property's own type (a TColor as int, an enumeration
    // as its enum type); invalid for an unknown name.
    static QVariant Read(const TDialGauge &gauge, const QString &name);
    // Converts and writes: a colour takes a QColor or a TColor integer, an
    // enumeration its value, key or qualified key ("DialGaugeTypes::tkValue"),
    // a set of flags "fsBold|fsItalic" or its integer. False (nothing
    // written) for an unknown name or a value that does not convert.
    static bool Write(TDialGauge &gauge, const QString &name, const QVariant &value);

    static QColor ToQColor(TColor color);
    static TColor FromQColor(const QColor &color);

private:
    friend class TDialGauge;
    // The gauge's share of setProperty(): applies and removes a dynamic
    // property that carries one of the names; false for any other name.
    Q_DECL_HIDDEN static bool TakeDynamicProperty(TDialGauge &gauge, const QByteArray &name);
};
