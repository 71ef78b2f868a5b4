// The PNG encoder: chunk layout and CRC-32 as the PNG standard gives them, big-endian fields.
#include "core/png.h"

#include <array>
#include <stdexcept>

namespace velkari {

namespace {

std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t count) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < count; ++i) crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// Length, type, data, and the CRC of the type and the data.
void AppendChunk(std::vector<std::uint8_t>& out, const char* type,
                 const std::vector<std::uint8_t>& data) {
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutU32(out, Crc32(out.data() + start, out.size() - start));
}

// Each row: the filter type byte (0, none), then R, G, B, A of every pixel.
std::vector<std::uint8_t> Scanlines(const TPixelImage& image, TRgb transparent) {
    std::vector<std::uint8_t> rows;
    rows.reserve(static_cast<std::size_t>(image.Width * 4 + 1) * image.Height);
    for (int y = 0; y < image.Height; ++y) {
        rows.push_back(0);
        for (int x = 0; x < image.Width; ++x) {
            const TRgb colour = image.At(x, y) & 0xFFFFFF;
            if (colour == transparent) {
                rows.insert(rows.end(), 4, 0);
                continue;
            }
            rows.insert(rows.end(), {static_cast<std::uint8_t>(colour >> 16),
                                     static_cast<std::uint8_t>(colour >> 8),
                                     static_cast<std::uint8_t>(colour), 0xFF});
        }
    }
    return rows;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const TPixelImage& image, const TZlibCompress& compress,
                                    TRgb transparent) {
    if (image.Width <= 0 || image.Height <= 0)
        throw std::invalid_argument("a PNG needs at least one pixel");
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<std::uint8_t> header;
    PutU32(header, static_cast<std::uint32_t>(image.Width));
    PutU32(header, static_cast<std::uint32_t>(image.Height));
    // 8 bits per channel, colour with alpha, deflate, adaptive filtering, no interlace.
    header.insert(header.end(), {8, 6, 0, 0, 0});
    AppendChunk(out, "IHDR", header);
    AppendChunk(out, "IDAT", compress(Scanlines(image, transparent & 0xFFFFFF)));
    AppendChunk(out, "IEND", {});
    return out;
}

}  // namespace velkari
