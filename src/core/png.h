// PNG files of pixel images: the signature, the chunks with their checksums and the rows.
// Compressing the image data is the caller's part (resgen hands in zlib), so the core,
// which also goes into velkari.exe, carries no deflate of its own.
#pragma once

#include <cstdint>
#include <vector>

#include "core/bmp.h"

namespace velkari {

// A PNG file of the picture: 8 bits per channel RGBA, not interlaced, every row unfiltered
// (filter type 0), all rows made one zlib stream by compress (TZlibCompress, in bmp.h) in one
// IDAT chunk. Pixels of the colour transparent
// become transparent black, all others are opaque. Throws std::invalid_argument for an empty
// picture.
std::vector<std::uint8_t> EncodePng(const TPixelImage& image, const TZlibCompress& compress,
                                    TRgb transparent = kTransparentKey);

}  // namespace velkari
