// Splitting the person's typed words into words, phrases and initials.
#include "own_words.h"

#include <algorithm>
#include <array>

#include "keypad.h"

namespace velkari {

namespace {

bool IsAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool EndsPhrase(char16_t c) {
    return c == u',' || c == u';' || c == u'/' || c == u'\n' || c == u'\r';
}
bool Joins(char16_t c) {
    return c == u'\'' || c == u'\u2019' || c == u'.';
}

bool IsSmallWord(const std::string& word) {
    static constexpr std::array<std::string_view, 11> kSmall = {
        "a", "an", "and", "at", "by", "for", "in", "of", "on", "the", "to"};
    return std::find(kSmall.begin(), kSmall.end(), word) != kSmall.end();
}

void Add(std::vector<std::string>& words, std::string word) {
    if (!word.empty() && std::find(words.begin(), words.end(), word) == words.end())
        words.push_back(std::move(word));
}

void AddPhrase(std::vector<std::string>& words, const std::vector<std::string>& phrase) {
    for (std::size_t first = 0; first < phrase.size(); ++first) {
        std::string run;
        for (std::size_t last = first; last < phrase.size() && run.size() <= kLongestWord;
             ++last) {
            run += phrase[last];
            Add(words, run);
        }
    }
    if (phrase.size() < 3) return;
    std::string initials;
    std::string mainInitials;
    for (const std::string& word : phrase) {
        initials.push_back(word[0]);
        if (!IsSmallWord(word)) mainInitials.push_back(word[0]);
    }
    Add(words, initials);
    if (mainInitials.size() >= 2) Add(words, mainInitials);
}

}  // namespace

std::vector<std::string> OwnWords(std::u16string_view typed) {
    std::vector<std::string> words;
    std::vector<std::string> phrase;
    std::string word;
    const auto endWord = [&] {
        if (!word.empty()) phrase.push_back(std::move(word));
        word.clear();
    };
    for (char16_t c : typed) {
        if (IsAsciiLetter(c)) {
            word.push_back(static_cast<char>(LowerChar(c)));
        } else if (!Joins(c)) {
            endWord();
            if (EndsPhrase(c)) {
                AddPhrase(words, phrase);
                phrase.clear();
            }
        }
    }
    endWord();
    AddPhrase(words, phrase);
    return words;
}

TWordList OwnWordList(std::u16string_view typed) {
    std::string lines;
    for (const std::string& word : OwnWords(typed)) lines += word + '\n';
    const TWordSource source{kOwnLevel, lines};
    return TWordList::FromBlob(MakeWordListBlob({&source, 1}, {}));
}

}  // namespace velkari
