// Image lists: pictures of one size kept together, drawn by index.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "component.h"
#include "graphics.h"
#include "handles.h"

using TImageListHandle = TUnique<THandleTraits<HIMAGELIST, ImageList_Destroy>>;

class TImageList : public TComponent {
  public:
    explicit TImageList(TComponent* owner);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Changing the size empties the list.
    void SetSize(int width, int height);
    int Count() const;
    void Clear();
    // Adds every image of a strip, cut into cells of the list's width; the mask colour is
    // transparent. Returns the number of images added.
    int AddMasked(HBITMAP strip, TColor maskColor);
    HIMAGELIST Handle() const { return FHandle.Get(); }

  private:
    int FWidth = 16;
    int FHeight = 16;
    TImageListHandle FHandle;
};
