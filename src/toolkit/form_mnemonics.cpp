// Alt and a label's underlined letter take the focus to the label's control, as in the
// system's dialogs.
#include <cwctype>

#include "form.h"
#include "std_controls.h"

namespace {

// The first label at or below the control whose letter matches and whose control can take
// the focus.
TLabel* LabelFor(TControl* parent, wchar_t letter) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* control = parent->Controls(i);
        if (auto* label = dynamic_cast<TLabel*>(control);
            label && label->Visible() && label->AccelChar() == letter && label->FocusControl() &&
            label->FocusControl()->CanFocus())
            return label;
        if (TLabel* inner = LabelFor(control, letter)) return inner;
    }
    return nullptr;
}

}  // namespace

bool TForm::MnemonicKey(const MSG& msg) {
    if (GetKeyState(VK_MENU) >= 0 || GetKeyState(VK_CONTROL) < 0) return false;
    // The letter of the key as the keyboard layout has it, shift aside.
    const UINT mapped = MapVirtualKeyW(static_cast<UINT>(msg.wParam), MAPVK_VK_TO_CHAR) & 0xFFFF;
    if (mapped == 0) return false;
    const auto letter = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(mapped)));
    TLabel* label = LabelFor(this, letter);
    if (!label) return false;
    label->FocusControl()->SetFocus();
    return true;
}
