// SPDX-License-Identifier: MIT
#pragma once

#include <QPointF>
#include <QRectF>
#include <QtGlobal>

#include <vector>

// Value types shared by the drawing wrappers. Coordinates are single
// precision on purpose: the gauge stores its points as floats, and the
// rounding to float is part of where things land.

// 0xAARRGGBB, straight (not premultiplied) alpha.
using ARGB = quint32;

// Result of every drawing call; 0 is success. The numbering is the one the
// gauge's callers know, so a stored status can be compared with 14, 2, ...
enum class TStatus : int {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedVersion = 17,
    NotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20,
};

enum class TSmoothingMode : int {
    Invalid = -1,
    Default = 0,
    HighSpeed = 1,
    HighQuality = 2,
    Off = 3,
    AntiAlias = 4,
    AntiAlias8x8 = 5,
};

enum class TTextRenderingHint : int {
    SystemDefault = 0,
    SingleBitPerPixelGridFit = 1,
    SingleBitPerPixel = 2,
    AntiAliasGridFit = 3,
    AntiAlias = 4,
    ClearTypeGridFit = 5,
};

enum class TDashStyle : int { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Custom = 5 };

enum class TFillMode : int { Alternate = 0, Winding = 1 };

// Also the fill type of a pen.
enum class TBrushType : int {
    SolidColor = 0,
    HatchFill = 1,
    TextureFill = 2,
    PathGradient = 3,
    LinearGradient = 4,
};

enum class TLinearGradientMode : int {
    Horizontal = 0,        // colour 1 on the left edge, colour 2 on the right
    Vertical = 1,          // colour 1 on the top edge, colour 2 on the bottom
    ForwardDiagonal = 2,   // colour 1 at the top-left corner, colour 2 at the bottom-right
    BackwardDiagonal = 3,  // colour 1 at the top-right corner, colour 2 at the bottom-left
};

enum class TUnit : int {
    World = 0, Display = 1, Pixel = 2, Point = 3, Inch = 4, Document = 5, Millimeter = 6,
};

enum class TStringAlignment : int { Near = 0, Center = 1, Far = 2 };

enum class TPixelFormat : int {
    Rgb32 = 0x22009,
    Argb32 = 0x26200A,   // what the gauge asks for
    PArgb32 = 0xE200B,
};

// Font style bits; they combine with |.
namespace FontStyle {
constexpr int Regular = 0;
constexpr int Bold = 1;
constexpr int Italic = 2;
constexpr int Underline = 4;
constexpr int Strikeout = 8;
}

// String format flags that change the result here; others are kept and ignored.
namespace StringFormatFlags {
constexpr int NoWrap = 0x1000;
constexpr int NoClip = 0x4000;
}

struct TGPPointF
{
    float X = 0;
    float Y = 0;

    constexpr TGPPointF() = default;
    constexpr TGPPointF(float x, float y) : X(x), Y(y) {}
    QPointF toQPointF() const { return QPointF(X, Y); }
    friend constexpr bool operator==(const TGPPointF &, const TGPPointF &) = default;
};

struct TGPRectF
{
    float X = 0;
    float Y = 0;
    float Width = 0;
    float Height = 0;

    constexpr TGPRectF() = default;
    constexpr TGPRectF(float x, float y, float w, float h) : X(x), Y(y), Width(w), Height(h) {}
    QRectF toQRectF() const { return QRectF(X, Y, Width, Height); }
    friend constexpr bool operator==(const TGPRectF &, const TGPRectF &) = default;
};

struct TGPRect
{
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;

    constexpr TGPRect() = default;
    constexpr TGPRect(int x, int y, int w, int h) : X(x), Y(y), Width(w), Height(h) {}
    friend constexpr bool operator==(const TGPRect &, const TGPRect &) = default;
};

// The gauge's polygons (needle outline, segments).
using TGPPointFArray = std::vector<TGPPointF>;
