// Key pictures from the image list.
#include "key_strip.h"

#include "toolkit/picture_file.h"
#include "toolkit/win32_error.h"

const wchar_t kKeyPicturesResource[] = L"QZKeys";

void LoadKeyPictures(TImageList& list, const wchar_t* resourceName) {
    TBitmapHandle strip(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), resourceName, IMAGE_BITMAP, 0, 0, 0)));
    if (!strip) return;  // the caller finds the list short and shows nothing
    list.AddMasked(strip.Get(), clNavy);
}

TBitmapHandle ComposeKeyStrip(const TImageList& list, const std::vector<int>& cells) {
    std::vector<int> drawn;
    const int count = list.Count();
    for (int cell : cells)
        if (cell >= 0 && cell < count) drawn.push_back(cell);
    if (drawn.empty()) return {};

    const int w = list.Width();
    const int h = list.Height();
    TBitmapHandle strip = CreatePixelBitmap(w * static_cast<int>(drawn.size()), h);
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!dc) throw EWin32Error(L"CreateCompatibleDC");
    {
        TSelectObject select(dc.Get(), strip.Get());
        int x = 0;
        for (int cell : drawn) {
            ImageList_Draw(list.Handle(), cell, dc.Get(), x, 0, ILD_NORMAL);
            x += w;
        }
    }
    return strip;
}
