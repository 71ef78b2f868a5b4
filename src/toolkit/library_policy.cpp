// The load configuration and the default DLL directories.
#include "library_policy.h"

#include <windows.h>

// The load configuration: on Windows 10 1607 and later the loader finds the libraries that
// the imported ones import in turn (comctl32's) in the system folder only, before any code of
// ours runs. The field the headers still call Reserved1 is DependentLoadFlags.
constexpr IMAGE_LOAD_CONFIG_DIRECTORY64 LoadConfiguration() {
    IMAGE_LOAD_CONFIG_DIRECTORY64 configuration{};
    configuration.Size = sizeof(configuration);
    configuration.Reserved1 = LOAD_LIBRARY_SEARCH_SYSTEM32;
    return configuration;
}
extern "C" const IMAGE_LOAD_CONFIG_DIRECTORY64 _load_config_used = LoadConfiguration();

// Looked up rather than imported: Windows 7 has it only with its 2011 update.
void KeepLibrariesToTheSystemFolder() {
    using TSetDefaultDllDirectories = BOOL WINAPI(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto* setDirectories = reinterpret_cast<TSetDefaultDllDirectories*>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDirectories) setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
