// Bitmaps as pixels and as files: reading a bitmap's pixels, a 24-bit bitmap to draw into,
// and writing a BMP file whole or not at all.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/bmp.h"
#include "handles.h"

// A top-down 24-bit DIB section of the size, white. Throws EWin32Error when it cannot be
// made.
TBitmapHandle CreatePixelBitmap(int width, int height);

// The bitmap's pixels (any format) as 0xRRGGBB, top row first. Throws EWin32Error.
velkari::TPixelImage BitmapPixels(HBITMAP bitmap);

// A 24-bit bitmap holding the pixels. Throws EWin32Error.
TBitmapHandle BitmapOfPixels(const velkari::TPixelImage& image);

// Writes the bytes to a temporary file beside the target and then puts it in the target's
// place, so the target is either untouched or complete. Throws EToolkitError with the
// message 'Cannot create file "name". reason' when that cannot be done.
void WriteFileAtomically(const std::wstring& fileName, const std::vector<std::uint8_t>& bytes);

// Saves the bitmap as a BMP file: 4 bits per pixel when every colour is one of the 16
// standard colours, else 24.
void SaveBitmapFile(HBITMAP bitmap, const std::wstring& fileName);
