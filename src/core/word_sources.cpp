// Reading the word lists from disk, kept apart from the packing: only the build tools, the
// tests and the benchmarks read files.
#include "word_sources.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

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
    if (sources.empty()) throw std::runtime_error(folder + ": no word lists in it");
    sources.push_back({kTradeLevel, ReadTextFile(tradeWords)});
    return sources;
}

}  // namespace velkari
