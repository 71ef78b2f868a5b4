// Stands in for the system's phone program: writes the address it was started with into
// tel_called.txt beside itself, whole or not at all (written aside, then renamed).
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return 1;
    std::wstring folder(self, length);
    folder.resize(folder.find_last_of(L'\\') + 1);
    std::wstring uri;
    for (int i = 1; i < argc; ++i) uri += (i > 1 ? L" " : L"") + std::wstring(argv[i]);
    const std::wstring part = folder + L"tel_called.part", file = folder + L"tel_called.txt";
    HANDLE out = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) return 1;
    std::string bytes(uri.begin(), uri.end());  // a tel: address is ASCII
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(out);
    return wrote && MoveFileExW(part.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
