// What the display-scale tests share: the dpi the run is meant to have, and checks of the
// controls of a window at that dpi.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/form.h"

// The dpi this run's prefix was made with (VELKARI_DPI), 96 without one.
int ExpectedDpi();
// Whether a pixel edge stands where a 96-dpi edge falls at this dpi, less than a pixel off.
bool NearScaled(int pixels, int edgeAt96, int dpi);
// The control's window rectangle in its form's client area.
RECT RectInClient(TForm* form, TControl* control);
// Tells the form that it now stands on a monitor of another dpi, with the rectangle that
// the system would suggest there; returns that rectangle.
RECT MoveToDpi(TForm* form, int from, int to);
// Every visible control of the form (panels' controls too) inside the client area and none
// on top of another, except a control inside the panel that holds it.
void CheckControlsApart(TForm* form);
// Every caption of a label or a button of the form fits inside it, in its own font.
void CheckCaptionsFit(TForm* form);
