// Driving the note button's preview window from a test: finding it, looking at it, and
// steps for a modal script that press its buttons and keys.
#pragma once

#include <windows.h>

#include <string>

#include "app/main_form.h"
#include "app/picture_form.h"
#include "core/bmp.h"
#include "modal_script.h"

// The preview window being shown, or null.
TForm2* FindPreview();
// A step that waits until the preview is up and no system dialog is.
TModalScript::TStep WaitForPreview();
// A step that waits until no system dialog is up and then clicks a preview button.
TModalScript::TStep ClickPreviewButton(TButton* TForm2::*button);
// A step that sends a key to the preview's focused control.
TModalScript::TStep PressKeyInPreview(WORD vk);

// What a test saw of the preview while it was up.
struct TPreviewSeen {
    bool Shown = false;
    std::wstring Caption;
    velkari::TPixelImage Picture;
};
// A step that notes what the preview shows.
TModalScript::TStep Look(TPreviewSeen& seen);

// The main form's note button.
TControl* NoteButton(TForm1* form);
// A folder beside the test executable that ImageMagick reads afterwards (Wine's Z: drive
// is the host's root).
std::wstring OutputFolder();
