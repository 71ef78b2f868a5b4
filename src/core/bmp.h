// Pixel images and the exact bytes of the BMP and ICO files made from them: the program's
// glyphs and icon at build time, the saved keypad picture at run time.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace velkari {

// Colours are 0x00RRGGBB (red in bits 16-23); the top byte is ignored by every encoder.
using TRgb = std::uint32_t;

// The colour that marks the transparent pixels of glyphs and icons.
inline constexpr TRgb kTransparentKey = 0xFF00FF;

// A picture of Width x Height pixels, stored row by row from the top-left corner.
struct TPixelImage {
    int Width = 0;
    int Height = 0;
    std::vector<TRgb> Pixels;

    TPixelImage() = default;
    // Every pixel starts as fill. Throws std::invalid_argument for a negative size.
    TPixelImage(int width, int height, TRgb fill = 0);

    TRgb At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
    void Set(int x, int y, TRgb colour) {
        Pixels[static_cast<std::size_t>(y) * Width + x] = colour;
    }
    // The width x height pixels at (left, top) as a picture of their own. Throws
    // std::out_of_range when the rectangle does not lie inside the picture.
    TPixelImage Crop(int left, int top, int width, int height) const;

    friend bool operator==(const TPixelImage&, const TPixelImage&) = default;
};

// The 16 colours of the standard Windows palette, in palette order.
inline constexpr std::array<TRgb, 16> kStandardPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
    0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// The index of colour in the standard palette, or -1 when it is not one of the 16.
int StandardPaletteIndex(TRgb colour);

// A BMP file (file header, BITMAPINFOHEADER, rows bottom-up, each padded to 4 bytes) with
// 24 bits per pixel. Throws std::invalid_argument for an empty picture.
std::vector<std::uint8_t> EncodeBmp24(const TPixelImage& image);

// A BMP file with 4 bits per pixel and the standard 16-colour palette; the leftmost pixel of
// each pair is in the high nibble. Throws std::invalid_argument for an empty picture or a
// pixel whose colour is not exactly one of the palette's.
std::vector<std::uint8_t> EncodeBmp4(const TPixelImage& image);

// A saved picture's file: 4 bits per pixel when every colour is one of the 16 standard
// colours, else 24. Throws std::invalid_argument for an empty picture.
std::vector<std::uint8_t> EncodePictureFile(const TPixelImage& image);

// Compresses bytes into a zlib stream (RFC 1950); see png.h.
using TZlibCompress =
    std::function<std::vector<std::uint8_t>(const std::vector<std::uint8_t>& bytes)>;

// An ICO file holding each picture as a 32-bit BGRA image with its AND mask, in the order
// given. Pixels of the colour transparent get alpha 0 and a set mask bit; all others are
// opaque. With compress, a 256 x 256 picture is stored as a PNG file instead, as Windows
// keeps its large icons. Throws std::invalid_argument for no pictures or a side outside
// 1..256.
std::vector<std::uint8_t> EncodeIco(const std::vector<TPixelImage>& images,
                                    TRgb transparent = kTransparentKey,
                                    const TZlibCompress& compress = {});

}  // namespace velkari
