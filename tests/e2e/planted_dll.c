// A DLL planted beside a program under the name of a library it uses, as a stranger would
// plant one in a Downloads folder. Loaded, it appends a line to planted_marks.txt in its
// folder: its own file name and how it came to be loaded. That is all it does. The
// planted_dlls scenario links it once for each name, giving it stub exports of the functions
// the program and the system's libraries import from that name, so that the loader takes it
// and runs this entry point instead of refusing it for a missing function. It needs nothing but kernel32 (a KnownDLL)
// and no C runtime: its entry point is DllMain.
#include <windows.h>

// What every stub export is: any call of one fails as plainly as it can.
__declspec(dllexport) ULONG_PTR PlantedStub(void) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

static wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }

static BOOL SameName(const char* imported, const wchar_t* fileName) {
    for (;; ++imported, ++fileName) {
        const wchar_t a = (wchar_t)(unsigned char)*imported;
        if (Lower(a) != Lower(*fileName)) return FALSE;
        if (a == 0) return TRUE;
    }
}

// Whether the program's executable itself names this file in its import table.
static BOOL ImportedByProgram(const wchar_t* fileName) {
    const BYTE* base = (const BYTE*)GetModuleHandleW(NULL);
    const IMAGE_NT_HEADERS* headers =
        (const IMAGE_NT_HEADERS*)(base + ((const IMAGE_DOS_HEADER*)base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY* imports =
        &headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports->VirtualAddress == 0) return FALSE;
    for (const IMAGE_IMPORT_DESCRIPTOR* entry =
             (const IMAGE_IMPORT_DESCRIPTOR*)(base + imports->VirtualAddress);
         entry->Name != 0; ++entry) {
        if (SameName((const char*)(base + entry->Name), fileName)) return TRUE;
    }
    return FALSE;
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TRUE;
    DWORD folderEnd = length;
    while (folderEnd > 0 && path[folderEnd - 1] != L'\\') --folderEnd;
    const wchar_t* fileName = path + folderEnd;

    // The loader passes a non-null reserved to the libraries it loads with the process,
    // null to those loaded by LoadLibrary later.
    const char* how = reserved == NULL               ? " loaded at run time\n"
                      : ImportedByProgram(fileName) ? " imported by the program\n"
                                                    : " imported by another library\n";
    char line[MAX_PATH * 3 + 40];
    int bytes = WideCharToMultiByte(CP_UTF8, 0, fileName, (int)(length - folderEnd), line,
                                    MAX_PATH * 3, NULL, NULL);
    for (const char* c = how; *c; ++c) line[bytes++] = *c;

    wchar_t marks[MAX_PATH + 32];
    const wchar_t marksName[] = L"planted_marks.txt";
    for (DWORD i = 0; i < folderEnd; ++i) marks[i] = path[i];
    for (DWORD i = 0; i < sizeof marksName / sizeof marksName[0]; ++i)
        marks[folderEnd + i] = marksName[i];
    // One line a load, appended whole: FILE_APPEND_DATA writes at the end even when two
    // planted libraries of two processes write at once.
    HANDLE file = CreateFileW(marks, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return TRUE;
    DWORD written;
    WriteFile(file, line, (DWORD)bytes, &written, NULL);
    CloseHandle(file);
    // TRUE, so that the process goes on and every library it loads afterwards is seen too.
    return TRUE;
}
