// The font key: the installed families offered once per run of reports, sorted, with the
// current face selected; the chosen face given to both fields; nothing changed otherwise.
// With VELKARI_SCREENSHOT_DIR set (a Windows path), the dialog over the main window is
// saved before and after its grip is dragged.
#include <doctest/doctest.h>

#include <cstdlib>
#include <cwchar>
#include <set>

#include "app/main_form.h"
#include "controls/size_grip.h"
#include "display_scale.h"
#include "modal_script.h"
#include "query_support.h"
#include "support/doctest_strings.h"
#include "ui_support.h"

namespace {

constexpr wchar_t kTitle[] = L"Select Font";

bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
           CSTR_EQUAL;
}

struct TNameLess {
    bool operator()(const std::wstring& a, const std::wstring& b) const {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
               CSTR_LESS_THAN;
    }
};

// Every report of the system's enumeration, in order, repeats included.
std::vector<std::wstring> EveryReportedFamily() {
    std::vector<std::wstring> reports;
    HDC screen = GetDC(nullptr);
    LOGFONTW filter{};
    filter.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(
        screen, &filter,
        [](const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) -> int {
            reinterpret_cast<std::vector<std::wstring>*>(data)->push_back(font->lfFaceName);
            return 1;
        },
        reinterpret_cast<LPARAM>(&reports), 0);
    ReleaseDC(nullptr, screen);
    return reports;
}

TControl* FontKey(TForm1* form) {
    return dynamic_cast<TControl*>(form->FindComponent(L"SpeedButtonFont"));
}

// Presses the font key and runs the steps on the dialog it opens.
void ChooseFont(TForm1* form, std::vector<TModalScript::TStep> steps) {
    TModalScript script(std::move(steps));
    form->PressButton(FontKey(form));
    CHECK(script.Finished());
    CHECK_FALSE(script.TimedOut());
    CHECK(FindThreadWindow(kTitle) == nullptr);
}

struct TFaces {
    std::wstring Edit1, Edit2;
};

TFaces FacesOf(TForm1* form) {
    return {form->Edit1->Font().Name(), form->Edit2->Font().Name()};
}

}  // namespace

TEST_CASE("collecting font names keeps one name per run of reports") {
    std::vector<std::wstring> names;
    auto report = [&names](const std::wstring& face) {
        LOGFONTW font{};
        face.copy(font.lfFaceName, LF_FACESIZE);
        return CollectFontName(&font, nullptr, TRUETYPE_FONTTYPE, reinterpret_cast<LPARAM>(&names));
    };
    CHECK(report(L"Arial") == 1);
    CHECK(report(L"ARIAL") == 1);
    CHECK(report(L"arial") == 1);
    CHECK(report(L"Tahoma") == 1);
    CHECK(report(L"Arial") == 1);
    CHECK(names == std::vector<std::wstring>{L"Arial", L"Tahoma", L"Arial"});

    SUBCASE("a face name that fills its whole field is read to the field's end") {
        const std::wstring full(LF_FACESIZE, L'x');
        names.clear();
        report(full);
        CHECK(names == std::vector<std::wstring>{full});
    }
}

TEST_CASE("the font key offers the installed families with the current face selected") {
    TShownForm<TForm1> form;
    form->Edit1->Font().SetName(L"tahoma");
    const std::vector<std::wstring> reports = EveryReportedFamily();
    REQUIRE(!reports.empty());
    TInputQueryForm* dialog = nullptr;
    std::vector<std::wstring> offered;
    ChooseFont(form.Get(), {WaitForQueryDialog(kTitle, dialog), Act([&] {
                                CHECK(dialog->Caption() == kTitle);
                                CHECK(QueryLabels(dialog).at(0)->Caption() == L"Font Name");
                                auto* field = FirstListField(dialog);
                                for (int i = 0; i < field->ItemCount(); ++i)
                                    offered.push_back(field->Items(i));
                                CHECK(field->Text() == L"Tahoma");
                                REQUIRE(field->ItemIndex() >= 0);
                                CHECK(field->Items(field->ItemIndex()) == L"Tahoma");
                                PostClick(dialog->OKButton);
                            })});
    // Every family the system reports is offered, once for each run of its reports.
    size_t runs = 0;
    for (size_t i = 0; i < reports.size(); ++i)
        if (i == 0 || !SameName(reports[i], reports[i - 1])) ++runs;
    CHECK(offered.size() == runs);
    CHECK(std::set<std::wstring, TNameLess>(offered.begin(), offered.end()) ==
          std::set<std::wstring, TNameLess>(reports.begin(), reports.end()));
    CHECK(std::is_sorted(offered.begin(), offered.end(), TNameLess()));
    CHECK(runs < reports.size());  // the system reports families once per character set
    // OK without a change gives both fields the face in the list's letter case.
    CHECK(form->Edit1->Font().Name() == L"Tahoma");
    CHECK(form->Edit2->Font().Name() == L"Tahoma");
}

TEST_CASE("the chosen face goes to both fields") {
    TShownForm<TForm1> form;
    const TFaces before = FacesOf(form.Get());
    TInputQueryForm* dialog = nullptr;
    const auto typeAndPress = [&](const std::wstring& text, std::function<void()> press) {
        ChooseFont(form.Get(), {WaitForQueryDialog(kTitle, dialog), Act([&] {
                                    SendKey(VK_DELETE);
                                    SendText(text);
                                }),
                                WhenListFieldShows(dialog, text, press)});
    };
    SUBCASE("a name that is no installed font is taken all the same") {
        typeAndPress(L"Zq Nonesuch", [&] { PostClick(dialog->OKButton); });
        CHECK(form->Edit1->Font().Name() == L"Zq Nonesuch");
        CHECK(form->Edit2->Font().Name() == L"Zq Nonesuch");
    }
    SUBCASE("a name too long for a logical font is cut to 31 characters") {
        const std::wstring longName = L"Zq abcdefghijklmnopqrstuvwxyz 0123456789";
        typeAndPress(longName, [] { SendKey(VK_RETURN); });
        CHECK(form->Edit1->Font().Name() == longName.substr(0, 31));
        CHECK(form->Edit2->Font().Name() == longName.substr(0, 31));
    }
    SUBCASE("an empty name changes nothing") {
        typeAndPress(L"", [&] { PostClick(dialog->OKButton); });
        CHECK(FacesOf(form.Get()).Edit1 == before.Edit1);
        CHECK(FacesOf(form.Get()).Edit2 == before.Edit2);
    }
    SUBCASE("Cancel changes nothing") {
        typeAndPress(L"Zq One", [&] { PostClick(CancelButton(dialog)); });
        CHECK(FacesOf(form.Get()).Edit1 == before.Edit1);
        CHECK(FacesOf(form.Get()).Edit2 == before.Edit2);
    }
    SUBCASE("Esc changes nothing") {
        typeAndPress(L"Zq Two", [] { SendKey(VK_ESCAPE); });
        CHECK(FacesOf(form.Get()).Edit1 == before.Edit1);
        CHECK(FacesOf(form.Get()).Edit2 == before.Edit2);
    }
    SUBCASE("the close box changes nothing") {
        typeAndPress(L"Zq Three", [&] { CHECK(ClickCloseBox(dialog->Handle())); });
        CHECK(FacesOf(form.Get()).Edit1 == before.Edit1);
        CHECK(FacesOf(form.Get()).Edit2 == before.Edit2);
    }
}

TEST_CASE("the font dialog over the main window" * doctest::test_suite("display scale")) {
    TShownForm<TForm1> form;
    TInputQueryForm* dialog = nullptr;
    ChooseFont(form.Get(),
               {WaitForQueryDialog(kTitle, dialog), Act([&] {
                    PumpFor(200);  // painted, grip included
                    if (const auto path = ScreenshotPath(L"font_dialog.bmp"); !path.empty())
                        SaveScreen(path);
                    // The dialog stands in front of the main window, which waits.
                    CHECK(GetForegroundWindow() == dialog->Handle());
                    CHECK_FALSE(IsWindowEnabled(form->Handle()));
                    // At the display's scale, grip included.
                    CHECK(dialog->PixelsPerInch() == ExpectedDpi());
                    CheckControlsApart(dialog);
                    CheckCaptionsFit(dialog);
                    const auto checkGrip = [&](int dpi) {
                        int grips = 0;
                        for (int i = 0; i < dialog->ComponentCount(); ++i)
                            if (auto* grip = dynamic_cast<TSizeGrip*>(dialog->Components(i))) {
                                ++grips;
                                const RECT square = grip->GripRect();
                                CHECK(NearScaled(square.right - square.left, 15, dpi));
                            }
                        CHECK(grips == 1);
                    };
                    checkGrip(ExpectedDpi());
                    // On a monitor of another scale it takes the suggested rectangle. (Not
                    // from 200 % to 100 %: the dialog's font is a bitmap font under Wine,
                    // whose sizes do not follow the scale, and the rows would touch.)
                    const int other = ExpectedDpi() == 144 ? 96 : 144;
                    const RECT suggested = MoveToDpi(dialog, ExpectedDpi(), other);
                    RECT window;
                    GetWindowRect(dialog->Handle(), &window);
                    CHECK(EqualRect(&window, &suggested));
                    CheckControlsApart(dialog);
                    CheckCaptionsFit(dialog);
                    checkGrip(other);
                    PostClick(CancelButton(dialog));
                })});
    CHECK(IsWindowEnabled(form->Handle()));
}
