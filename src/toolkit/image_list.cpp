// Image lists over the common controls' image list.
#include "image_list.h"

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

void TImageList::SetSize(int width, int height) {
    Clear();
    FWidth = width;
    FHeight = height;
}

int TImageList::Count() const {
    return FHandle ? ImageList_GetImageCount(FHandle.Get()) : 0;
}

void TImageList::Clear() {
    FHandle.Reset();
}

int TImageList::AddMasked(HBITMAP strip, TColor maskColor) {
    if (!FHandle) FHandle.Reset(ImageList_Create(FWidth, FHeight, ILC_COLOR24 | ILC_MASK, 0, 8));
    if (!FHandle) return 0;
    const int before = Count();
    if (ImageList_AddMasked(FHandle.Get(), strip, ColorToRGB(maskColor)) < 0) return 0;
    return Count() - before;
}
