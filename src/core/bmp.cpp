// BMP and ICO encoders. Every header field is written explicitly in little-endian order, so
// the bytes are the same on every host and need no packed Windows structures.
#include "core/bmp.h"

#include "core/png.h"

#include <stdexcept>
#include <string>

namespace velkari {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kIcoDirSize = 6;
constexpr std::uint32_t kIcoEntrySize = 16;

class TByteWriter {
  public:
    explicit TByteWriter(std::vector<std::uint8_t>& out) : FOut(out) {}

    void U8(std::uint32_t value) { FOut.push_back(static_cast<std::uint8_t>(value)); }
    void U16(std::uint32_t value) {
        U8(value);
        U8(value >> 8);
    }
    void U32(std::uint32_t value) {
        U16(value);
        U16(value >> 16);
    }
    void Zeros(std::size_t count) { FOut.insert(FOut.end(), count, 0); }

  private:
    std::vector<std::uint8_t>& FOut;
};

// Bytes of one stored row: whole 32-bit words.
std::uint32_t RowStride(int width, int bitsPerPixel) {
    return (static_cast<std::uint32_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

void RequirePixels(const TPixelImage& image) {
    if (image.Width <= 0 || image.Height <= 0)
        throw std::invalid_argument("a bitmap needs at least one pixel");
}

// BITMAPINFOHEADER, BI_RGB, no preferred resolution.
void WriteInfoHeader(TByteWriter& w, int width, int height, int bitsPerPixel,
                     std::uint32_t imageSize, std::uint32_t coloursUsed) {
    w.U32(kInfoHeaderSize);
    w.U32(static_cast<std::uint32_t>(width));
    w.U32(static_cast<std::uint32_t>(height));
    w.U16(1);  // planes
    w.U16(static_cast<std::uint32_t>(bitsPerPixel));
    w.U32(0);  // BI_RGB
    w.U32(imageSize);
    w.U32(0);
    w.U32(0);
    w.U32(coloursUsed);
    w.U32(0);  // all colours important
}

std::vector<std::uint8_t> EncodeBmp(const TPixelImage& image, int bitsPerPixel,
                                    const std::vector<std::uint8_t>& pixelRows) {
    const std::uint32_t paletteSize = bitsPerPixel == 4 ? 16 * 4 : 0;
    const std::uint32_t offBits = kFileHeaderSize + kInfoHeaderSize + paletteSize;
    const auto imageSize = static_cast<std::uint32_t>(pixelRows.size());

    std::vector<std::uint8_t> out;
    out.reserve(offBits + imageSize);
    TByteWriter w(out);
    w.U8('B');
    w.U8('M');
    w.U32(offBits + imageSize);
    w.U32(0);  // two reserved words
    w.U32(offBits);
    WriteInfoHeader(w, image.Width, image.Height, bitsPerPixel, imageSize,
                    bitsPerPixel == 4 ? 16 : 0);
    if (bitsPerPixel == 4) {
        for (TRgb colour : kStandardPalette) {
            w.U8(colour);
            w.U8(colour >> 8);
            w.U8(colour >> 16);
            w.U8(0);
        }
    }
    out.insert(out.end(), pixelRows.begin(), pixelRows.end());
    return out;
}

std::string HexColour(TRgb colour) {
    const char digits[] = "0123456789ABCDEF";
    std::string text = "#";
    for (int shift = 20; shift >= 0; shift -= 4) text += digits[(colour >> shift) & 0xF];
    return text;
}

}  // namespace

TPixelImage::TPixelImage(int width, int height, TRgb fill) : Width(width), Height(height) {
    if (width < 0 || height < 0) throw std::invalid_argument("negative picture size");
    Pixels.assign(static_cast<std::size_t>(width) * height, fill);
}

TPixelImage TPixelImage::Crop(int left, int top, int width, int height) const {
    if (left < 0 || top < 0 || width < 0 || height < 0 || left + width > Width ||
        top + height > Height)
        throw std::out_of_range("crop rectangle outside the picture");
    TPixelImage part(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) part.Set(x, y, At(left + x, top + y));
    return part;
}

int StandardPaletteIndex(TRgb colour) {
    colour &= 0xFFFFFF;
    for (std::size_t i = 0; i < kStandardPalette.size(); ++i)
        if (kStandardPalette[i] == colour) return static_cast<int>(i);
    return -1;
}

std::vector<std::uint8_t> EncodeBmp24(const TPixelImage& image) {
    RequirePixels(image);
    const std::uint32_t stride = RowStride(image.Width, 24);
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * image.Height);
    for (int y = 0; y < image.Height; ++y) {
        std::uint8_t* row = rows.data() + static_cast<std::size_t>(image.Height - 1 - y) * stride;
        for (int x = 0; x < image.Width; ++x) {
            const TRgb colour = image.At(x, y);
            row[3 * x] = static_cast<std::uint8_t>(colour);
            row[3 * x + 1] = static_cast<std::uint8_t>(colour >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(colour >> 16);
        }
    }
    return EncodeBmp(image, 24, rows);
}

std::vector<std::uint8_t> EncodeBmp4(const TPixelImage& image) {
    RequirePixels(image);
    const std::uint32_t stride = RowStride(image.Width, 4);
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * image.Height);
    for (int y = 0; y < image.Height; ++y) {
        std::uint8_t* row = rows.data() + static_cast<std::size_t>(image.Height - 1 - y) * stride;
        for (int x = 0; x < image.Width; ++x) {
            const int index = StandardPaletteIndex(image.At(x, y));
            if (index < 0)
                throw std::invalid_argument("colour " + HexColour(image.At(x, y)) + " at (" +
                                            std::to_string(x) + ", " + std::to_string(y) +
                                            ") is not in the 16-colour palette");
            row[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
    }
    return EncodeBmp(image, 4, rows);
}

namespace {

// One picture of an icon as a DIB of twice its height: BITMAPINFOHEADER, the colour rows,
// then the 1-bit mask rows, both bottom-up. Set mask bits are the transparent pixels, for
// readers that ignore alpha.
std::vector<std::uint8_t> IconDib(const TPixelImage& image, TRgb transparent) {
    const std::uint32_t maskStride = RowStride(image.Width, 1);
    const std::uint32_t imageSize =
        (RowStride(image.Width, 32) + maskStride) * static_cast<std::uint32_t>(image.Height);
    std::vector<std::uint8_t> out;
    TByteWriter w(out);
    WriteInfoHeader(w, image.Width, image.Height * 2, 32, imageSize, 0);
    for (int y = image.Height - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width; ++x) {
            const TRgb colour = image.At(x, y) & 0xFFFFFF;
            w.U32(colour == transparent ? 0 : colour | 0xFF000000u);  // B, G, R, A in memory
        }
    }
    for (int y = image.Height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> mask(maskStride, 0);
        for (int x = 0; x < image.Width; ++x)
            if ((image.At(x, y) & 0xFFFFFF) == transparent)
                mask[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), mask.begin(), mask.end());
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePictureFile(const TPixelImage& image) {
    for (TRgb colour : image.Pixels)
        if (StandardPaletteIndex(colour) < 0) return EncodeBmp24(image);
    return EncodeBmp4(image);
}

std::vector<std::uint8_t> EncodeIco(const std::vector<TPixelImage>& images, TRgb transparent,
                                    const TZlibCompress& compress) {
    if (images.empty()) throw std::invalid_argument("an icon needs at least one picture");
    for (const TPixelImage& image : images)
        if (image.Width < 1 || image.Width > 256 || image.Height < 1 || image.Height > 256)
            throw std::invalid_argument("icon pictures are 1 to 256 pixels on each side");
    transparent &= 0xFFFFFF;

    std::vector<std::vector<std::uint8_t>> pictures;
    for (const TPixelImage& image : images) {
        const bool png = compress && image.Width == 256 && image.Height == 256;
        pictures.push_back(png ? EncodePng(image, compress, transparent)
                               : IconDib(image, transparent));
    }
    std::vector<std::uint8_t> out;
    TByteWriter w(out);
    w.U16(0);
    w.U16(1);  // icon, not cursor
    w.U16(static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = kIcoDirSize + kIcoEntrySize * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto size = static_cast<std::uint32_t>(pictures[i].size());
        w.U8(images[i].Width == 256 ? 0 : images[i].Width);
        w.U8(images[i].Height == 256 ? 0 : images[i].Height);
        w.U8(0);  // no palette
        w.U8(0);
        w.U16(1);   // planes
        w.U16(32);  // bits per pixel
        w.U32(size);
        w.U32(offset);
        offset += size;
    }
    for (const auto& picture : pictures) out.insert(out.end(), picture.begin(), picture.end());
    return out;
}

}  // namespace velkari
