// The version text of the window caption.
#include "version_text.h"

#include "keypad.h"

namespace velkari {

std::u16string FormatVersionText(std::uint32_t fileVersionMS, std::uint32_t fileVersionLS) {
    const auto major = fileVersionMS >> 16;
    const auto minor = fileVersionMS & 0xFFFF;
    const auto release = fileVersionLS >> 16;
    const auto build = fileVersionLS & 0xFFFF;
    std::u16string text = IntToU16(major) + u"." + IntToU16(minor);
    if (release != 0 || build != 0)
        text += u" (Build " + IntToU16(release) + u"." + IntToU16(build) + u")";
    return text;
}

}  // namespace velkari
