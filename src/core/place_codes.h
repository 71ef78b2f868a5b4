// The postal codes of the United States' states and Canada's provinces: a person who types
// "Georgia" or "New York" is known by GA or NY too.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace velkari {

struct TPlaceCode {
    std::string_view Code;  // lower case; empty when no place's name begins there
    std::size_t Words = 0;  // the words its name takes
};

// The code of the state or province whose name, in lower case, begins at words[first]:
// {"new", "york"} gives "ny" in two words.
TPlaceCode PlaceCodeAt(std::span<const std::string> words, std::size_t first);

}  // namespace velkari
