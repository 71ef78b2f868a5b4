// The key pictures behind the note button: loading them into an image list, and drawing a
// strip of them for a number.
#pragma once

#include <vector>

#include "toolkit/handles.h"
#include "toolkit/image_list.h"

// The bitmap resource that holds the 37 key cells side by side.
extern const wchar_t kKeyPicturesResource[];

// Fills the list from the bitmap resource, cut into cells of the list's size; navy is the
// mask colour, which the pictures do not use. A missing resource leaves the list as it was.
void LoadKeyPictures(TImageList& list, const wchar_t* resourceName = kKeyPicturesResource);

// The list's pictures of the cells side by side, in a 24-bit bitmap as high as the list's
// pictures; cells the list does not hold are skipped. Null when no cell is drawn.
TBitmapHandle ComposeKeyStrip(const TImageList& list, const std::vector<int>& cells);
