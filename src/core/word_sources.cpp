// Reading the word lists from disk, kept apart from the packing: only the build tools, the
// tests and the benchmarks read files.
#include "word_sources.h"

#include <charconv>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "keypad.h"

namespace velkari {

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path + ": cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw std::runtime_error(path + ": cannot be read");
    return text.str();
}

std::vector<TWordSource> ReadWordSources(const std::string& folder, const std::string& tradeWords) {
    std::vector<TWordSource> sources;
    for (const char* region : {"english", "american"}) {
        for (const char* kind : {"words", "upper", "proper-names", "abbreviations"}) {
            for (int level : kWordLevels) {
                if (level <= kTradeLevel) continue;  // ours, not the lists'
                const std::string path =
                    folder + "/" + region + "-" + kind + "." + std::to_string(level);
                // Not every kind has every level.
                if (std::ifstream(path).good())
                    sources.push_back({level, ReadTextFile(path), kind != std::string("words")});
            }
        }
    }
    // The commonest contractions, as a number spells them: DONT, YOURE. The rarer ones (HED,
    // THATLL) want a word after them and read as something else.
    if (const std::string path = folder + "/english-contractions.10"; std::ifstream(path).good()) {
        std::string text = ReadTextFile(path);
        std::erase(text, '\'');
        sources.push_back({10, std::move(text)});
    }
    if (sources.empty()) throw std::runtime_error(folder + ": no word lists in it");
    sources.push_back({kTradeLevel, ReadTextFile(tradeWords)});
    return sources;
}

namespace {

// The level of a word said with probability 10^-x: about one level for each power of ten
// from one in five thousand to one in a hundred million.
int SpokenLevel(double x) {
    constexpr std::pair<double, int> kBands[] = {{3.7, 10},  {4.5, 20}, {5.4, 35},
                                                 {6.25, 40}, {7.1, 50}, {7.9, 55}};
    for (const auto& [below, level] : kBands)
        if (x < below) return level;
    return std::end(kWordLevels)[-1];
}

std::map<std::string, int, std::less<>> SpokenLevels(std::string_view spoken) {
    std::map<std::string, int, std::less<>> levels;
    ForEachLine(spoken, [&](std::string_view line) {
        const std::size_t tab = line.find('\t');
        double log10 = 0;
        if (tab != std::string_view::npos &&
            std::from_chars(line.data() + tab + 1, line.data() + line.size(), log10).ec ==
                std::errc())
            levels.emplace(line.substr(0, tab), SpokenLevel(-log10));
    });
    return levels;
}

constexpr int kUnsaidNameLevel = 35;

// A plain word the model does not know: the plural of a word it knows (DOCS of DOC) takes
// that word's level, and the blob then sets it a level lower as it does every derived word.
// The plural of a word said so often that the plural would be known is none in use (HOWS,
// YEPS), and it and any other word are rare.
int UnsaidLevel(const std::map<std::string, int, std::less<>>& levels, std::string_view word) {
    constexpr int kPluralKnownFrom = 35;
    const auto stem =
        word.ends_with('s') ? levels.find(word.substr(0, word.size() - 1)) : levels.end();
    return stem != levels.end() && stem->second >= kPluralKnownFrom ? stem->second
                                                                    : SpokenLevel(99);
}

}  // namespace

std::vector<TWordSource> LevelBySpeech(std::span<const TWordSource> sources,
                                       std::string_view spoken) {
    const auto levels = SpokenLevels(spoken);
    std::map<std::pair<int, bool>, std::string> moved;  // by level and names
    std::vector<TWordSource> result;
    for (const TWordSource& source : sources) {
        if (source.Level <= kTradeLevel) {
            result.push_back(source);
            continue;
        }
        ForEachLine(source.Text, [&](std::string_view word) {
            std::string lower(word);
            for (char& c : lower) c = static_cast<char>(LowerChar(static_cast<char16_t>(c)));
            const auto found = levels.find(lower);
            // A name or abbreviation the model does not know is more written than said: it
            // keeps its list's level, but no commoner than kUnsaidNameLevel (PEND is no SEND).
            const int level = found != levels.end() ? found->second
                              : source.Names        ? std::max(source.Level, kUnsaidNameLevel)
                                                    : UnsaidLevel(levels, lower);
            (moved[{level, source.Names}] += word) += '\n';
        });
    }
    for (auto& [key, text] : moved) result.push_back({key.first, std::move(text), key.second});
    return result;
}

std::vector<std::uint8_t> PackWordFiles(const TWordFiles& files) {
    const auto sources =
        LevelBySpeech(ReadWordSources(files.Lists, files.Trade), ReadTextFile(files.Spoken));
    return MakeWordListBlob(sources, ReadTextFile(files.Banned), ReadTextFile(files.Pairs));
}

}  // namespace velkari
