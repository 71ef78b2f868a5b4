// The font key: every installed font family offered in a list query dialog, the chosen face
// given to both fields.
#include <algorithm>
#include <cwchar>
#include <vector>

#include "dialogs/input_query.h"
#include "main_form.h"
#include "toolkit/handles.h"

namespace {

// Letter case aside, by the rules of the user's locale.
int CompareNames(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(),
                          static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size())) -
           CSTR_EQUAL;
}

// A face name as a logical font holds it: an empty name leaves the font alone, a long one
// is cut to the 31 characters that fit.
void SetFaceName(TFont& font, const std::wstring& name) {
    if (name.empty()) return;
    font.SetName(name.substr(0, LF_FACESIZE - 1));
}

}  // namespace

int CALLBACK CollectFontName(const LOGFONTW* logFont, const TEXTMETRICW*, DWORD, LPARAM list) {
    auto& names = *reinterpret_cast<std::vector<std::wstring>*>(list);
    const std::wstring face(logFont->lfFaceName, wcsnlen(logFont->lfFaceName, LF_FACESIZE));
    // A family comes once per character set, one after the other: keep the first.
    if (names.empty() || CompareNames(names.back(), face) != 0) names.push_back(face);
    return 1;
}

void TForm1::SpeedButtonFontClick(TObject*) {
    std::vector<std::wstring> names;
    {
        TWindowDC screen(nullptr);
        LOGFONTW filter{};
        filter.lfCharSet = DEFAULT_CHARSET;  // every family in every character set
        EnumFontFamiliesExW(screen.Get(), &filter, CollectFontName,
                            reinterpret_cast<LPARAM>(&names), 0);
    }
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return CompareNames(a, b) < 0; });
    std::wstring face = Edit1->Font().Name();
    if (!InputQueryList(L"Select Font", L"Font Name", face, &names)) return;
    SetFaceName(Edit1->Font(), face);
    SetFaceName(Edit2->Font(), face);
}
