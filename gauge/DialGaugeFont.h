// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include <QFont>
#include <QString>

#include <DialGauge/DialGaugePersistent.h>
#include <DialGauge/Colors.h>

class TDialGaugeFontPrivate;

// A window-system font as the gauge draws with it: family name, whole-point
// size, style bits and a colour. Unlike a QFont it tells its owner about
// every change, so a change of Font->Size repaints the gauge at once.
class DIALGAUGE_EXPORT TDialGaugeFont : public TDialGaugePersistent
{
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    // Character height in pixels at 96 dpi, negative as in stored forms
    // (-19 is 14 points); setting it sets Size.
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    // Size in points; at 96 dpi, -19 px is 14 pt and -15 px is 11 pt.
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(DialGaugeTypes::TFontStyles Style READ Style WRITE SetStyle)

public:
    static constexpr int PixelsPerInch = 96;

    explicit TDialGaugeFont(TDialGauge *owner);
    ~TDialGaugeFont() override;

    TColor Color() const;
    void SetColor(TColor value);
    int Height() const;
    void SetHeight(int value);
    QString Name() const;
    void SetName(const QString &value);
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const;
    void SetStyle(TFontStyles value);

    // The equivalent QFont (family, point size, style bits). A Size of 0 or
    // less leaves the point size at QFont's default.
    QFont ToQFont() const;
    // Takes family, size (a pixel size converted at 96 dpi) and style from a
    // QFont; colour stays. Raises OnChange once when anything changed.
    void AssignQFont(const QFont &font);

    void Assign(const QObject *source) override;

private:
    std::unique_ptr<TDialGaugeFontPrivate> d;
};
