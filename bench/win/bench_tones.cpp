// How long the play key takes to sound an 11-digit number on the real sound output, beside
// its nominal time (tone and break for each digit); the goal is at most 1.1 times it. Needs a
// wave output (make bench runs it with tools/with-pulse); without one the tones take no time.
// Prints; never fails.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_clock.h"
#include "app/main_form.h"
#include "core/dtmf.h"
#include "core/keypad.h"
#include "toolkit/application.h"

int main() {
    TApplication application;
    application.Initialize();
    TForm1* form = application.CreateForm<TForm1>();
    form->ShowForm();
    application.ProcessMessages();
    if (form->SpeedButtonMute->Down()) form->PressButton(form->SpeedButtonMute);

    const wchar_t kNumber[] = L"18003569377";
    form->Edit1->SetText(kNumber);
    const double nominal = velkari::CountKeyChars(u"18003569377") *
                           double(velkari::kToneDurationMs + velkari::kNumberBreakMs);
    form->SpeedButtonPlayClick(nullptr);  // the first opens the sound device: not counted
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        const double start = NowMs();
        form->SpeedButtonPlayClick(nullptr);
        times.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "playing %ls on the sound output: %.0f ms median (%.0f-%.0f), nominal %.0f ms: "
        "%.2fx (goal at most 1.1x)\n",
        kNumber, times[2], times.front(), times.back(), nominal, times[2] / nominal);
    return 0;
}
