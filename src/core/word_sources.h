// Where the dictionary's words come from: the frequency-levelled English word lists as
// Debian installs them, our own list of trade words, the words never offered, and how often
// the words are said and which go together, as a language model of spoken English has it.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "word_list.h"

namespace velkari {

// The words, upper-case words, proper names and abbreviations of the English and the
// American lists in `folder` (files such as english-words.10), at every level of
// kWordLevels, the commonest English contractions without their apostrophes, and the trade
// words of the file `tradeWords` at kTradeLevel. Throws std::runtime_error when a file
// cannot be read or the folder holds none of the lists.
std::vector<TWordSource> ReadWordSources(const std::string& folder, const std::string& tradeWords);

// The sources with each word of the lists' levels moved to the level that how often it is
// said gives: `spoken` holds a word and the log10 of its probability a line (care -3.45).
// A word of the lists that it does not hold takes the rarest level, but a name or an
// abbreviation (FDIC) keeps its own; trade words keep theirs too.
std::vector<TWordSource> LevelBySpeech(std::span<const TWordSource> sources,
                                       std::string_view spoken);

struct TWordFiles {
    std::string Lists;   // the folder of the levelled lists
    std::string Trade;   // our trade words
    std::string Banned;  // the words never offered
    std::string Spoken;  // how often each word is said: see LevelBySpeech
    std::string Pairs;   // the words that go together: see MakeWordListBlob
};
// The program's word list, read from the files and packed by MakeWordListBlob.
std::vector<std::uint8_t> PackWordFiles(const TWordFiles& files);

#ifdef VELKARI_WORD_PAIRS
// The files the build packs, for the native tests and benchmarks.
inline TWordFiles BuildWordFiles() {
    return {VELKARI_WORD_LISTS, VELKARI_TRADE_WORDS, VELKARI_BANNED_WORDS, VELKARI_SPOKEN_WORDS,
            VELKARI_WORD_PAIRS};
}
#endif

// The whole of a text file; throws std::runtime_error when it cannot be read.
std::string ReadTextFile(const std::string& path);

}  // namespace velkari
