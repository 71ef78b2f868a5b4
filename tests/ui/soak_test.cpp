// Thousands of random user events against the main window: afterwards it still answers,
// its fields still agree, and nothing has leaked.
#include <windows.h>
#include <psapi.h>

#include <random>

#include "app/main_form.h"
#include "app/sound.h"
#include "core/keypad.h"
#include "modal_script.h"
#include "support/doctest_strings.h"
#include "toolkit/scope_guard.h"
#include "ui_support.h"

namespace {

SIZE_T WorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.WorkingSetSize;
}

// A real right click in the middle of a control.
void RightClick(TControl* control) {
    const RECT r = ScreenRect(control);
    const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    INPUT inputs[2] = {MouseInputAt(middle, MOUSEEVENTF_RIGHTDOWN),
                       MouseInputAt(middle, MOUSEEVENTF_RIGHTUP)};
    SendInput(2, inputs, sizeof(INPUT));
}

}  // namespace

TEST_CASE("thousands of random user events leave the window sound and leak-free") {
    TShownForm<TForm1> form;
    // With the tones on, played to the real output and counted on their way there: every
    // key holds the window for its tone while further events queue up behind it.
    int tones = 0;
    const TSoundPlayer system = SetSoundPlayer(nullptr);
    SetSoundPlayer([&](const std::vector<std::uint8_t>& image) {
        ++tones;
        system(image);
    });
    const TScopeGuard restorePlayer([] { SetSoundPlayer(nullptr); });
    auto unmute = [&] {
        if (form->SpeedButtonMute->Down()) form->PressButton(form->SpeedButtonMute);
    };
    unmute();
    form->Edit1->SetFocus();
    PumpUntil([&] { return form->Edit1->Focused(); });

    const std::wstring keyNames = L"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const WORD editingKeys[] = {VK_BACK, VK_DELETE, VK_LEFT, VK_RIGHT, VK_HOME, VK_END};
    const wchar_t* buttons[] = {
        L"SpeedButtonClear", L"SpeedButtonEdit1Clear", L"SpeedButtonEdit2Clear", L"SpeedButtonCopy",
        L"SpeedButtonCL",    L"SpeedButtonPin",        L"SpeedButtonBack"};
    std::mt19937 random(20261208);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto control = [&](const std::wstring& name) {
        return dynamic_cast<TControl*>(form->FindComponent(name));
    };

    // A first round settles caches (fonts, brushes, the tooltip) before counting.
    auto run = [&](int events) {
        for (int i = 0; i < events; ++i) {
            switch (pick(10)) {
                case 0:
                case 1:
                    TypeText(std::wstring(1, L"abcxyz0189 -QW"[pick(14)]));
                    break;
                case 2:
                    TapKey(editingKeys[pick(6)]);
                    break;
                case 3:
                case 4: {
                    // Mostly pressed as the keyboard does; now and then clicked by the mouse.
                    TControl* key = control(std::wstring(L"SpeedButton") + keyNames[pick(36)]);
                    if (pick(4) == 0)
                        ClickAt(key, 5, 5);
                    else
                        form->PressButton(key);
                    break;
                }
                case 5:
                    RightClick(control(std::wstring(L"SpeedButton") + keyNames[pick(36)]));
                    break;
                case 6:
                    form->PressButton(control(buttons[pick(7)]));
                    break;
                case 7:
                    TapKey(VK_ESCAPE);
                    break;
                case 8:
                    (pick(2) ? form->Edit1 : form->Edit2)->SetFocus();
                    break;
                case 9:
                    if (pick(40) == 0) {
                        TModalScript script(L"About Velkari", {[](HWND) { SendKey(VK_RETURN); }});
                        TapKey(VK_F1);
                        PumpUntil([&] { return script.Finished(); }, 3000);
                        PumpFor(50);
                        unmute();  // coming back from the box pressed the mute key
                    } else {
                        // The mute key, pressed twice, so the tones stay on.
                        form->PressButton(form->SpeedButtonMute);
                        form->PressButton(form->SpeedButtonMute);
                    }
                    break;
            }
            Application->ProcessMessages();
        }
    };
    run(200);
    // Each key makes its repeat timer at its first press and keeps it: press them all once.
    for (wchar_t key : keyNames) form->PressButton(control(std::wstring(L"SpeedButton") + key));
    form->PressButton(control(L"SpeedButtonBack"));
    PumpFor(200);
    const int handlesBefore = LiveToolkitHandles();
    const int windowsBefore = CountThreadWindows();
    const int gdiBefore = LiveGdiObjects();
    const SIZE_T memoryBefore = WorkingSet();

    run(2500);
    PumpFor(300);

    // Alive and answering.
    DWORD_PTR answer = 0;
    CHECK(SendMessageTimeoutW(form->Handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer));
    // The fields agree and keep their limit.
    const std::wstring upper = form->Edit1->Text();
    const std::wstring lower = form->Edit2->Text();
    CHECK(upper.size() <= 30);
    CHECK(lower.size() <= 30);
    std::wstring converted;
    for (wchar_t c : upper)
        converted += static_cast<wchar_t>(velkari::KeyToDigit(static_cast<char16_t>(c)));
    CHECK(lower == converted);
    // Nothing leaked: the toolkit's own handles and the windows are as many as before, and
    // the memory has not grown beyond a small allowance.
    CHECK(LiveToolkitHandles() == handlesBefore);
    CHECK(CountThreadWindows() == windowsBefore);
    CHECK(LiveGdiObjects() <= gdiBefore + 30);  // 19 stay once first needed, then no more
    const SIZE_T memoryAfter = WorkingSet();
    MESSAGE("working set ", memoryBefore / 1024, " KiB before, ", memoryAfter / 1024,
            " KiB after; tones ", tones);
    CHECK(memoryAfter < memoryBefore + 8 * 1024 * 1024);
    CHECK(tones > 500);  // the tones were on for the run, not muted by a stray press
    if (form->SpeedButtonPin->Down()) form->PressButton(form->SpeedButtonPin);
    MoveMouseTo(form->Handle(), -30, -30);  // no tooltip left for the next test
}
