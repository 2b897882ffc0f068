// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

class TOccupancy;

// Copies, clears and source-over blends between premultiplied ARGB32 images
// of the same geometry, with the raster engine's own arithmetic, so the
// results equal a painter's to the bit. For small rectangles at every frame,
// where a painter costs more than the pixels.
namespace PixelCompose {

// x * a / 255 on all four channels, rounded as the raster engine rounds.
inline QRgb ByteMul(QRgb x, uint a)
{
    uint t = (x & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080);
    x &= 0xff00ff00;
    return x | t;
}

// A premultiplied colour over dest.
inline void Over(QRgb &dest, QRgb source)
{
    if (source >= 0xff000000u)
        dest = source;
    else if (source != 0)
        dest = source + ByteMul(dest, qAlpha(~source));
}

// Qt 6.4's own AVX2 code can return with the wide registers' upper halves
// in use; until they are cleared, every SSE instruction after it (ours, the
// compiler's scalar floating point, Qt's own) pays for a state transition,
// which makes pixel loops several times slower. Cheap: call it after drawing
// with a painter and before a run of pixel work.
void SettleRegisters();

// Whether the pixel loops take the processor's 256-bit (AVX2) form. Not where
// QT_NO_CPU_FEATURE names avx2, as Qt reads it for its own code: the other
// form can then be checked on any machine.
bool WideRegisters();

// A group of layers laid over below, along a run of length pixels: where
// group is not transparent, frame = below with (group with each of the
// layerCount layers over it, in order) over it; elsewhere frame is left as
// it is. How a layer drawn on its own, with more over it inside its group,
// shows over what lies beneath.
void OverGroup(QRgb *frame, const QRgb *below, const QRgb *group, const QRgb *const *layers, int layerCount,
               int length);

// Within rect (clipped to both images).
void Copy(QImage &to, const QImage &from, const QRect &rect);
// Into rect of to (clipped to it), from's pixels that lie at origin in to's
// coordinates: a part kept on its own goes back where it came from.
void Copy(QImage &to, const QRect &rect, const QImage &from, const QPoint &origin);
void Clear(QImage &image, const QRect &rect);
void Over(QImage &to, const QImage &from, const QRect &rect);
// The same, reading only the chunks of from that occupied marks.
void Over(QImage &to, const QImage &from, const QRect &rect, const TOccupancy &occupied);

} // namespace PixelCompose
