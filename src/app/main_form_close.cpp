// Closing by holding Esc: the wheel fills while Esc is held and the window closes when it
// is full; letting go earlier empties it.
#include "main_form.h"

void TForm1::EscapeKeyDown() {
    // The keyboard's repeated key-downs find the timer running and leave it alone.
    TimerClose->SetEnabled(true);
}

void TForm1::EscapeKeyUp() {
    TimerClose->SetEnabled(false);
    ProgressWheel1->SetPosition(0);
}

void TForm1::TimerCloseTimer(TObject*) {
    if (ProgressWheel1->Position() < ProgressWheel1->Max())
        ProgressWheel1->SetPosition(ProgressWheel1->Position() + 1);
    else
        Close();
}
