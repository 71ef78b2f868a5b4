// Where the dictionary's words come from: the frequency-levelled English word lists as
// Debian installs them, our own list of trade words, and the words never offered.
#pragma once

#include <string>
#include <vector>

#include "word_list.h"

namespace velkari {

// The words, upper-case words, proper names and abbreviations of the English and the
// American lists in `folder` (files such as english-words.10), at every level of
// kWordLevels, and the trade words of the file `tradeWords` at kTradeLevel. Throws
// std::runtime_error when a file cannot be read or the folder holds none of the lists.
std::vector<TWordSource> ReadWordSources(const std::string& folder, const std::string& tradeWords);

// The whole of a text file; throws std::runtime_error when it cannot be read.
std::string ReadTextFile(const std::string& path);

}  // namespace velkari
