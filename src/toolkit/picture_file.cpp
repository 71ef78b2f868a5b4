// Bitmap pixels and BMP files. The program encodes BMP files itself: Wine's WIC encoder
// writes a wrong size into the header of 4-bit files.
#include "picture_file.h"

#include <algorithm>

#include "scope_guard.h"
#include "win32_error.h"

namespace {

BITMAPINFO TopDown24(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

std::size_t Stride24(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

[[noreturn]] void ThrowCreateError(const std::wstring& fileName, DWORD code) {
    std::wstring reason = SystemMessage(code);
    if (reason.empty()) reason = L"Error " + std::to_wstring(code);
    throw EToolkitError(L"Cannot create file \"" + fileName + L"\". " + reason);
}

struct TFileTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { CloseHandle(h); }
};
using TFileHandle = TUnique<TFileTraits>;

}  // namespace

TBitmapHandle CreatePixelBitmap(int width, int height) {
    BITMAPINFO info = TopDown24(width, height);
    void* bits = nullptr;
    TBitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) throw EWin32Error(L"CreateDIBSection");
    std::fill_n(static_cast<std::uint8_t*>(bits), Stride24(width) * height, 0xFF);
    return bitmap;
}

velkari::TPixelImage BitmapPixels(HBITMAP bitmap) {
    BITMAP header{};
    if (!GetObjectW(bitmap, sizeof(header), &header)) throw EWin32Error(L"GetObject");
    const int width = header.bmWidth;
    const int height = header.bmHeight < 0 ? -header.bmHeight : header.bmHeight;
    BITMAPINFO info = TopDown24(width, height);
    std::vector<std::uint8_t> rows(Stride24(width) * height);
    TMemoryDC screen(CreateCompatibleDC(nullptr));
    if (GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height), rows.data(), &info,
                  DIB_RGB_COLORS) != height)
        throw EWin32Error(L"GetDIBits");
    velkari::TPixelImage image(width, height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = rows.data() + Stride24(width) * y;
        for (int x = 0; x < width; ++x)
            image.Set(x, y, row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16);
    }
    return image;
}

TBitmapHandle BitmapOfPixels(const velkari::TPixelImage& image) {
    TBitmapHandle bitmap = CreatePixelBitmap(image.Width, image.Height);
    const std::size_t stride = Stride24(image.Width);
    std::vector<std::uint8_t> rows(stride * image.Height);
    for (int y = 0; y < image.Height; ++y) {
        std::uint8_t* row = rows.data() + stride * y;
        for (int x = 0; x < image.Width; ++x) {
            const velkari::TRgb colour = image.At(x, y);
            row[3 * x] = colour & 0xFF;
            row[3 * x + 1] = (colour >> 8) & 0xFF;
            row[3 * x + 2] = (colour >> 16) & 0xFF;
        }
    }
    BITMAPINFO info = TopDown24(image.Width, image.Height);
    TMemoryDC screen(CreateCompatibleDC(nullptr));
    if (SetDIBits(screen.Get(), bitmap.Get(), 0, static_cast<UINT>(image.Height), rows.data(),
                  &info, DIB_RGB_COLORS) != image.Height)
        throw EWin32Error(L"SetDIBits");
    return bitmap;
}

void WriteFileAtomically(const std::wstring& fileName, const std::vector<std::uint8_t>& bytes) {
    wchar_t full[MAX_PATH * 4] = {};
    const DWORD length = GetFullPathNameW(fileName.c_str(), MAX_PATH * 4, full, nullptr);
    if (length == 0 || length >= MAX_PATH * 4) ThrowCreateError(fileName, GetLastError());

    // Beside the target, so the final move stays on one volume; named after this process, so
    // a leftover of an earlier crash is simply overwritten.
    const std::wstring temporaryName =
        std::wstring(full) + L".~" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    // Deleted unless it was put in place (best effort: the error in flight matters); declared
    // first, so that it goes after the handle below is closed.
    TScopeGuard removeTemporary([&temporaryName] { DeleteFileW(temporaryName.c_str()); });
    TFileHandle file(CreateFileW(temporaryName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) ThrowCreateError(fileName, GetLastError());
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size() || !FlushFileBuffers(file.Get()))
        ThrowCreateError(fileName, GetLastError());
    file.Reset();
    if (!MoveFileExW(temporaryName.c_str(), full,
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ThrowCreateError(fileName, GetLastError());
    removeTemporary.Dismiss();
}

void SaveBitmapFile(HBITMAP bitmap, const std::wstring& fileName) {
    WriteFileAtomically(fileName, velkari::EncodePictureFile(BitmapPixels(bitmap)));
}
