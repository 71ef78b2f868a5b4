// The Save As dialog over GetSaveFileName.
#include "save_dialog.h"

#include <commdlg.h>

#include <vector>

#include "application.h"
#include "form.h"
#include "late_bound.h"
#include "win32_error.h"

TSaveDialog::TSaveDialog(TComponent* owner) : TComponent(owner) {}

bool TSaveDialog::Execute() {
    // The filter's bars become the NULs the dialog expects, with a second NUL at the end.
    std::wstring filter = FFilter;
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    filter.push_back(L'\0');
    filter.push_back(L'\0');

    std::vector<wchar_t> name(32768, L'\0');
    FFileName.copy(name.data(), name.size() - 1);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    TForm* active = Application ? Application->ActiveForm() : nullptr;
    ofn.hwndOwner = active && active->HandleAllocated() ? active->Handle() : GetActiveWindow();
    ofn.lpstrFilter = FFilter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrDefExt = FDefaultExt.empty() ? nullptr : FDefaultExt.c_str();
    // The program's working folder stays where it was, whatever folder the user visits.
    ofn.Flags = FOptions | OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (!late::GetSaveFileNameW(&ofn)) {
        if (const DWORD error = late::CommDlgExtendedError())
            throw EToolkitError(L"The Save As dialog failed (error " + std::to_wstring(error) +
                                L").");
        return false;
    }
    FFileName = name.data();
    return true;
}
