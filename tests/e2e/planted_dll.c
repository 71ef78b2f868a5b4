// A DLL planted under a library's name (planted_dlls.sh): loaded, it appends its file name and
// "static" (loaded with the process) or "dynamic" (LoadLibrary) to planted_marks.txt.
#include <windows.h>

__declspec(dllexport) ULONG_PTR PlantedStub(void) {
    return 0;
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH + 32];
    DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TRUE;
    DWORD folder = length;
    while (folder > 0 && path[folder - 1] != L'\\') --folder;
    char line[3 * MAX_PATH + 16];
    int bytes = WideCharToMultiByte(CP_UTF8, 0, path + folder, (int)(length - folder), line,
                                    3 * MAX_PATH, NULL, NULL);
    // The loader passes a non-null reserved to the libraries it loads with the process.
    for (const char* how = reserved ? " static\n" : " dynamic\n"; *how; ++how) line[bytes++] = *how;
    lstrcpyW(path + folder, L"planted_marks.txt");
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return TRUE;
    DWORD written;
    WriteFile(file, line, (DWORD)bytes, &written, NULL);
    CloseHandle(file);
    return TRUE;  // the process goes on, and every library it loads later is seen too
}
