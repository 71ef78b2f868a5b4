// The version text of the window caption, made from a file's fixed file version.
#pragma once

#include <cstdint>
#include <string>

namespace velkari {

// "major.minor", followed by " (Build release.build)" when either of those is not 0.
// The four parts are the 16-bit halves of the fixed file version's MS and LS words.
std::u16string FormatVersionText(std::uint32_t fileVersionMS, std::uint32_t fileVersionLS);

}  // namespace velkari
