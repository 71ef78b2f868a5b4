// The word list resource, indexed once.
#include "word_dictionary.h"

#include <windows.h>

#include <stdexcept>

#include "toolkit/application.h"
#include "toolkit/win32_error.h"

namespace {

velkari::TWordList LoadWordList() {
    const HMODULE module = Application->Instance();
    // Resources of the module live as long as it does: nothing to free.
    HRSRC found = FindResourceW(module, L"WORDLIST", RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) throw EToolkitError(L"The word list is missing from the program.");
    try {
        return velkari::TWordList::FromBlob(
            {static_cast<const std::uint8_t*>(data), SizeofResource(module, found)});
    } catch (const std::invalid_argument&) {
        throw EToolkitError(L"The program's word list is damaged.");
    }
}

}  // namespace

const velkari::TWordList& ProgramWordList() {
    static const velkari::TWordList list = LoadWordList();
    return list;
}
