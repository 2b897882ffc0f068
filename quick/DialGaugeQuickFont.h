// SPDX-License-Identifier: MIT
#pragma once

#include <DialGauge/DialGaugeFont.h>

#include "quick/DialGaugeQuickGroup.h"

// font and valueFont: the scale's labels and dial text, and the read-out.
// The style flags are four booleans, as QML's own font has them.
class TDialGaugeQuickFont : public TDialGaugeQuickGroup
{
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY changed)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY changed)
    Q_PROPERTY(int size READ size WRITE setSize NOTIFY changed)
    Q_PROPERTY(int height READ height WRITE setHeight NOTIFY changed)
    Q_PROPERTY(bool bold READ bold WRITE setBold NOTIFY changed)
    Q_PROPERTY(bool italic READ italic WRITE setItalic NOTIFY changed)
    Q_PROPERTY(bool underline READ underline WRITE setUnderline NOTIFY changed)
    Q_PROPERTY(bool strikeout READ strikeout WRITE setStrikeout NOTIFY changed)

public:
    TDialGaugeQuickFont(TDialGaugeFont &font, QObject *parent) : TDialGaugeQuickGroup(parent), g(font) {}

    QColor color() const { return ToColor(g.Color()); }
    void setColor(const QColor &v) { g.SetColor(FromColor(v)); }
    QString name() const { return g.Name(); }
    void setName(const QString &v) { g.SetName(v); }
    int size() const { return g.Size(); }
    void setSize(int v) { g.SetSize(v); }
    int height() const { return g.Height(); }
    void setHeight(int v) { g.SetHeight(v); }
    bool bold() const { return g.Style().testFlag(fsBold); }
    void setBold(bool v) { g.SetStyle(g.Style().setFlag(fsBold, v)); }
    bool italic() const { return g.Style().testFlag(fsItalic); }
    void setItalic(bool v) { g.SetStyle(g.Style().setFlag(fsItalic, v)); }
    bool underline() const { return g.Style().testFlag(fsUnderline); }
    void setUnderline(bool v) { g.SetStyle(g.Style().setFlag(fsUnderline, v)); }
    bool strikeout() const { return g.Style().testFlag(fsStrikeOut); }
    void setStrikeout(bool v) { g.SetStyle(g.Style().setFlag(fsStrikeOut, v)); }

private:
    TDialGaugeFont &g;
};
