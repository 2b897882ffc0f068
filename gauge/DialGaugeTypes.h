// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QObject>
#include <QPointF>

#include <functional>

#include <DialGauge/DialGaugeExport.h>

// Types shared by the gauge, its appearance objects and its painter.
namespace DialGaugeTypes {
Q_NAMESPACE_EXPORT(DIALGAUGE_EXPORT)

enum TDialGaugeNeedleType { ntPointer, ntSelector };
Q_ENUM_NS(TDialGaugeNeedleType)

// Whether the coloured arc's range is given by angles or by values.
enum TDialGaugeThresholdKind { tkAngle, tkValue };
Q_ENUM_NS(TDialGaugeThresholdKind)

enum MarkKind : quint8 { mkNone = 0, mkSubDivision = 1, mkDivision = 2 };
Q_ENUM_NS(MarkKind)

// Font style bits, with the drawing layer's values for the first three.
enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_FLAG_NS(TFontStyles)

} // namespace DialGaugeTypes

Q_DECLARE_OPERATORS_FOR_FLAGS(DialGaugeTypes::TFontStyles)

using DialGaugeTypes::TDialGaugeNeedleType;
using DialGaugeTypes::TDialGaugeThresholdKind;
using DialGaugeTypes::MarkKind;
using DialGaugeTypes::TFontStyle;
using DialGaugeTypes::TFontStyles;
using enum DialGaugeTypes::TDialGaugeNeedleType;
using enum DialGaugeTypes::TDialGaugeThresholdKind;
using enum DialGaugeTypes::MarkKind;
using enum DialGaugeTypes::TFontStyle;

// Change notification of an appearance object; the sender is the object.
using TNotifyEvent = std::function<void(QObject *sender)>;

// Polygon corners; each coordinate holds a single-precision value.
using TArrayOfPointF = QList<QPointF>;

// One precomputed scale mark. Positions are client pixels; the label anchor
// is the top centre of the label text. Label fields are set for divisions only.
struct ScaleMark
{
    double OuterX = 0.0;
    double OuterY = 0.0;
    double InnerX = 0.0;
    double InnerY = 0.0;
    double LabelX = 0.0;
    double LabelY = 0.0;
    MarkKind Kind = mkNone;
    double LabelValue = 0.0;
};
