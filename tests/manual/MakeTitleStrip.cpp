// SPDX-License-Identifier: MIT
// Writes the title-strip picture built into both windows:
//   cmake --build build/dev --target MakeTitleStrip
//   build/dev/tests/manual/MakeTitleStrip app/resources/TitleStrip.jpg
// A 1 x 22 baseline JPEG shaded from light blue at the top to pale sky blue at
// row 19, with two darker rows at the bottom that draw a line under the strip.

#include <cmath>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct Rgb
{
    int r, g, b;
};

struct Anchor
{
    int row;
    Rgb colour;
};

constexpr Anchor kAnchors[] = {
    {0, {95, 174, 251}},
    {7, {131, 200, 255}},
    {12, {164, 217, 251}},
    {19, {198, 246, 255}},
};
constexpr Rgb kBottom = {122, 173, 200};
constexpr int kRows = 22;

int mix(int a, int b, double t)
{
    return int(std::lround(a + (b - a) * t));
}

Rgb rowColour(int row)
{
    if (row > kAnchors[3].row)
        return kBottom;
    for (int i = 0; i + 1 < 4; ++i) {
        const Anchor &lo = kAnchors[i];
        const Anchor &hi = kAnchors[i + 1];
        if (row <= hi.row) {
            const double t = double(row - lo.row) / double(hi.row - lo.row);
            return {mix(lo.colour.r, hi.colour.r, t), mix(lo.colour.g, hi.colour.g, t),
                    mix(lo.colour.b, hi.colour.b, t)};
        }
    }
    return kAnchors[3].colour;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output.jpg\n", argv[0]);
        return 2;
    }
    std::FILE *out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }

    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = 1;
    info.image_height = kRows;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    // No chroma subsampling: the rows differ mostly in hue.
    for (int c = 0; c < 3; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    for (int row = 0; row < kRows; ++row) {
        const Rgb c = rowColour(row);
        JSAMPLE pixel[3] = {JSAMPLE(c.r), JSAMPLE(c.g), JSAMPLE(c.b)};
        JSAMPROW rowPointer = pixel;
        jpeg_write_scanlines(&info, &rowPointer, 1);
        std::printf("row %2d: %3d %3d %3d\n", row, c.r, c.g, c.b);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(out);
    return 0;
}
