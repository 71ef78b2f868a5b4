// Message boxes built as forms of ours: a type symbol, a word-wrapped text and a row of
// push buttons; and MessageDlgWithIcon, which shows such a box with any icon in place of
// the symbol, its own title and font, and a chosen default button.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "toolkit/form.h"

enum TMsgDlgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp,
};
constexpr int kMsgDlgBtnCount = mbHelp + 1;

// One bit per button kind, bit n for the kind of value n.
using TMsgDlgButtons = std::uint16_t;
constexpr TMsgDlgButtons MsgDlgButtons(std::initializer_list<TMsgDlgBtn> kinds) {
    TMsgDlgButtons set = 0;
    for (TMsgDlgBtn kind : kinds) set = static_cast<TMsgDlgButtons>(set | (1u << kind));
    return set;
}

// The box itself. Right to left (when asked for and the system supports it) the text
// stands at the right side.
class TMessageForm : public TForm {
  public:
    TMessageForm(TComponent* owner, bool rightToLeft);
    bool RightToLeft() const { return FRightToLeft; }

  private:
    bool FRightToLeft;
};

// The standard message box for the text, type and buttons: a new form owned by the
// application, not yet shown, centred on the screen. It holds an image "Image" with the
// type's symbol (not for the custom type), a label "Message" and one button per kind.
TMessageForm* CreateMessageDialog(const std::wstring& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                                  bool rightToLeft = false);

// Changes a built box as MessageDlgWithIcon does before showing it: the font name, the
// text measured anew with '&' shown literally, the title, the icon (drawn at iconSize,
// the symbol growing to fit it) and the default button, which also takes the focus.
// Empty caption or font name and a null icon leave those parts as they are.
void TailorMessageDialog(TMessageForm* dialog, const std::wstring& caption,
                         const std::wstring& fontName, HICON icon, SIZE iconSize,
                         TModalResult defaultResult);

// Shows a modal message box and returns the modal result it was closed with. The icon,
// if any, replaces the type's symbol and stays the caller's; a custom-type box given an
// icon becomes an information box. The box is destroyed on every path.
TModalResult MessageDlgWithIcon(const std::wstring& caption, const std::wstring& msg,
                                TMsgDlgType type, TMsgDlgButtons buttons,
                                TModalResult defaultResult, const std::wstring& fontName,
                                HICON icon);
