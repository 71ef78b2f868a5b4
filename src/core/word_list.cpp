// Packing the word lists, and reading them back into an index by keypad digits.
#include "word_list.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "keypad.h"

namespace velkari {

namespace {

constexpr char kMagic[4] = {'V', 'W', 'L', '1'};
constexpr std::uint8_t kCommonBit = 0x10;
constexpr std::uint8_t kSharedMask = 0x0F;

bool IsListWord(std::string_view line) {
    if (line.size() < kShortestWord || line.size() > kLongestWord) return false;
    if (line.find_first_of("aeiouy") == std::string_view::npos) return false;
    return std::all_of(line.begin(), line.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

std::set<std::string> ListWords(std::string_view list) {
    std::set<std::string> words;
    while (!list.empty()) {
        const std::size_t end = std::min(list.find('\n'), list.size());
        std::string_view line = list.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (IsListWord(line)) words.emplace(line);
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    return words;
}

// Three bits a digit from the first, and the length above all twelve of them, so words of
// different lengths never share a key.
constexpr int kLengthShift = 3 * static_cast<int>(kLongestWord);
// A key takes 40 bits; below it, in the order the index sorts by, a rare bit and the
// word's number.
constexpr int kKeyShift = 24;
constexpr std::uint64_t kRareBit = std::uint64_t{1} << 23;
constexpr std::uint64_t kIndexMask = kRareBit - 1;

template <typename TChars>
bool DigitKey(const TChars& chars, std::uint64_t& key) {
    if (chars.size() < kShortestWord || chars.size() > kLongestWord) return false;
    key = static_cast<std::uint64_t>(chars.size()) << kLengthShift;
    int shift = 0;
    for (auto c : chars) {
        const char16_t digit = KeyToDigit(static_cast<char16_t>(c));
        if (digit < u'2' || digit > u'9') return false;
        key |= static_cast<std::uint64_t>(digit - u'2') << shift;
        shift += 3;
    }
    return true;
}

std::uint32_t ReadCount(std::span<const std::uint8_t> blob) {
    std::uint32_t count = 0;
    for (int i = 0; i < 4; ++i) count |= static_cast<std::uint32_t>(blob[4 + i]) << (8 * i);
    return count;
}

}  // namespace

std::vector<std::uint8_t> MakeWordListBlob(std::string_view commonList, std::string_view fullList) {
    const std::set<std::string> common = ListWords(commonList);
    std::set<std::string> all = common;
    for (const std::string& word : ListWords(fullList))
        if (word.size() > kShortestWord) all.insert(word);

    std::vector<std::uint8_t> blob(kMagic, kMagic + 4);
    const auto count = static_cast<std::uint32_t>(all.size());
    for (int i = 0; i < 4; ++i) blob.push_back(static_cast<std::uint8_t>(count >> (8 * i)));
    std::string previous;
    for (const std::string& word : all) {
        std::size_t shared = 0;
        while (shared < previous.size() && shared < word.size() - 1 &&
               previous[shared] == word[shared])
            ++shared;
        blob.push_back(static_cast<std::uint8_t>(shared | (common.count(word) ? kCommonBit : 0)));
        blob.insert(blob.end(), word.begin() + static_cast<std::ptrdiff_t>(shared), word.end());
        previous = word;
    }
    return blob;
}

TWordList TWordList::FromBlob(std::span<const std::uint8_t> blob) {
    if (blob.size() < 8 || !std::equal(kMagic, kMagic + 4, blob.begin()))
        throw std::invalid_argument("not a word list");
    const std::uint32_t count = ReadCount(blob);
    // Every word takes at least two bytes, so a count beyond that is a damaged blob and
    // must not reserve memory on its word.
    if (count > (blob.size() - 8) / 2 || count > kIndexMask)
        throw std::invalid_argument("word count beyond the data");

    TWordList list;
    std::vector<TWordEntry> entries;
    std::vector<std::uint64_t> keys;
    entries.reserve(count);
    keys.reserve(count);
    std::string word;
    std::size_t pos = 8;
    while (pos < blob.size()) {
        const std::uint8_t head = blob[pos++];
        const std::size_t shared = head & kSharedMask;
        if ((head & ~(kSharedMask | kCommonBit)) != 0 || shared > word.size())
            throw std::invalid_argument("damaged word list");
        word.resize(shared);
        while (pos < blob.size() && blob[pos] >= 'a' && blob[pos] <= 'z')
            word.push_back(static_cast<char>(blob[pos++]));
        std::uint64_t key = 0;
        if (!DigitKey(word, key) || word.size() == shared)
            throw std::invalid_argument("damaged word list");
        entries.push_back({static_cast<std::uint32_t>(list.FLetters.size()),
                           static_cast<std::uint8_t>(word.size()), (head & kCommonBit) != 0});
        keys.push_back(key);
        list.FLetters += word;
    }
    if (entries.size() != count) throw std::invalid_argument("word count does not match");

    // One sort of plain numbers: the key, then common before rare, then the word's place in
    // the blob, which is alphabetical.
    std::vector<std::uint64_t> order(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        order[i] = keys[i] << kKeyShift | (entries[i].Common ? 0 : kRareBit) | i;
    std::sort(order.begin(), order.end());
    list.FEntries.reserve(order.size());
    list.FKeys.reserve(order.size());
    for (std::uint64_t packed : order) {
        const std::size_t i = packed & kIndexMask;
        list.FEntries.push_back(entries[i]);
        list.FKeys.push_back(keys[i]);
    }
    return list;
}

std::span<const TWordEntry> TWordList::WordsFor(std::u16string_view digits) const {
    std::uint64_t key = 0;
    const bool onlyDigits = std::all_of(digits.begin(), digits.end(),
                                        [](char16_t c) { return c >= u'2' && c <= u'9'; });
    if (!onlyDigits || !DigitKey(digits, key)) return {};
    const auto range = std::equal_range(FKeys.begin(), FKeys.end(), key);
    return std::span<const TWordEntry>(FEntries).subspan(
        static_cast<std::size_t>(range.first - FKeys.begin()),
        static_cast<std::size_t>(range.second - range.first));
}

}  // namespace velkari
