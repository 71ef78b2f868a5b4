// Splitting the person's typed words into words, phrases and initials.
#include "own_words.h"

#include <algorithm>
#include <array>
#include <span>
#include <unordered_set>

#include "keypad.h"
#include "place_codes.h"

namespace velkari {

namespace {

bool IsAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
// A letter of the Latin-1 block as the letter a number spells it with: Québec is QUEBEC.
char16_t WithoutAccent(char16_t c) {
    // U+00C0 to U+00FF; a blank for the signs among them (the multiplication and division).
    static constexpr char16_t kBase[] =
        u"AAAAAAACEEEEIIIIDNOOOOO OUUUUYTsaaaaaaaceeeeiiiidnooooo ouuuuyty";
    return c >= 0xC0 && c <= 0xFF ? kBase[c - 0xC0] : c;
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

// A word too long for any spelling is left out at once: a long text pasted in stays quick.
// Repeats go when the text is read (KeepFirst).
void Add(std::vector<std::string>& words, std::string word) {
    if (!word.empty() && word.size() <= kLongestWord) words.push_back(std::move(word));
}

// Each word once, where it was first met, and none that `taken` holds.
void KeepFirst(std::vector<std::string>& words, std::unordered_set<std::string>& taken) {
    std::vector<std::string> kept;
    for (std::string& word : words)
        if (taken.insert(word).second) kept.push_back(std::move(word));
    words = std::move(kept);
}

bool IsVowel(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

// A word's plural or singular: a person who types "flower" takes FLOWERS too, "family"
// FAMILIES, "dish" DISHES, and one who types "Macy's" or "Staples" takes MACY and STAPLE.
void AddNumberForm(std::vector<std::string>& forms, const std::string& word) {
    const auto sibilant = [](std::string_view w) {
        return w.ends_with("sh") || w.ends_with("ch") || w.ends_with('x') || w.ends_with('z');
    };
    const std::size_t n = word.size();
    if (n >= 3 && word.back() != 's') {
        if (sibilant(word))
            Add(forms, word + "es");
        else if (word.back() == 'y' && !IsVowel(word[n - 2]))
            Add(forms, word.substr(0, n - 1) + "ies");
        else
            Add(forms, word + 's');
    }
    // MATTRESS, CAMPUS and ANALYSIS are no plurals.
    const bool singular = word.ends_with("ss") || word.ends_with("us") || word.ends_with("is");
    if (n < 4 || word.back() != 's' || singular) return;
    Add(forms, word.substr(0, n - 1));
    if (n >= 5 && word.ends_with("ies")) Add(forms, word.substr(0, n - 3) + 'y');
    if (word.ends_with("es") && sibilant(std::string_view(word).substr(0, n - 2)))
        Add(forms, word.substr(0, n - 2));
}

// A long name is often cut short: CHEV for Chevrolet, CALIF for California. Its first four
// or five letters, with at least three left over.
void AddClips(std::vector<std::string>& clips, const std::string& word) {
    for (std::size_t length = 4; length <= 5 && length + 3 <= word.size(); ++length)
        Add(clips, word.substr(0, length));
}

// A name goes by the initials of part of it too: Los Angeles Department of Water and Power
// by DWP, New Jersey Division of Travel by NJ. Each run of two or more of its initials.
void AddPartInitials(std::vector<std::string>& forms, const std::string& initials) {
    for (std::size_t first = 0; first + 2 <= initials.size(); ++first)
        for (std::size_t length = 2; length <= kLongestWord && first + length <= initials.size();
             ++length)
            Add(forms, initials.substr(first, length));
}

struct TPhrase {
    std::vector<std::string> Words;
    std::vector<std::string> Initials;  // each word's in the name's initials
    std::vector<bool> Capital;          // each word's: it begins with a capital
    std::vector<std::string> Humps;     // the words within its words (KeyBank holds key, bank)
};

// The clips and initials of a name: "Federal Trade Commission" gives FTC.
void AddName(TOwnWords& own, std::span<const std::string> parts,
             std::span<const std::string> partInitials) {
    for (const std::string& part : parts) AddClips(own.Clips, part);
    std::string initials;
    std::string mainInitials;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        initials += partInitials[i];
        if (!IsSmallWord(parts[i])) mainInitials += partInitials[i];
    }
    if (parts.size() >= 3) {
        Add(own.Words, initials);
        if (mainInitials.size() >= 2) Add(own.Words, mainInitials);
    }
    AddPartInitials(own.Initials, mainInitials);
}

// Each word of a phrase and each run of its words, and the words within its words.
void AddRuns(TOwnWords& own, const TPhrase& phrase) {
    std::vector<std::string>& words = own.Words;
    const std::vector<std::string>& parts = phrase.Words;
    for (std::size_t first = 0; first < parts.size(); ++first) {
        std::string run;
        for (std::size_t last = first; last < parts.size() && run.size() <= kLongestWord; ++last) {
            run += parts[last];
            // A run that ends on a small word is no phrase of its own (TALKOF, FOODAND).
            if (last > first && IsSmallWord(parts[last])) continue;
            Add(words, run);
            AddNumberForm(own.Forms, run);
        }
    }
    for (const std::string& hump : phrase.Humps) {
        Add(own.Forms, hump);
        AddNumberForm(own.Forms, hump);
    }
}

// Clips and initials are a name's: each run of words in capitals, with small words between
// them ("New York State travel" gives NYS), or the whole phrase when nothing was typed in
// capitals at all.
void AddNames(TOwnWords& own, const TPhrase& phrase, bool anyCapital) {
    const std::vector<std::string>& parts = phrase.Words;
    const auto inName = [&](std::size_t i) {
        return !anyCapital || phrase.Capital[i] || IsSmallWord(parts[i]);
    };
    for (std::size_t first = 0; first < parts.size();) {
        std::size_t end = first;
        while (end < parts.size() && inName(end)) ++end;
        std::size_t last = end;
        while (last > first && IsSmallWord(parts[last - 1])) --last;
        while (first < last && IsSmallWord(parts[first])) ++first;
        if (first < last)
            AddName(own, std::span(parts).subspan(first, last - first),
                    std::span(phrase.Initials).subspan(first, last - first));
        first = end + 1;
    }
}

// A state or province named gives its postal code as the initials of part of a name:
// "Georgia Division of Family Services" gives GA, "West Virginia tourism" WV and not VA.
void AddPlaceCodes(TOwnWords& own, const TPhrase& phrase) {
    for (std::size_t i = 0; i < phrase.Words.size(); ++i) {
        const TPlaceCode place = PlaceCodeAt(phrase.Words, i);
        if (place.Words == 0) continue;
        Add(own.Initials, std::string(place.Code));
        i += place.Words - 1;
    }
}

// Letters each followed by a dot, as in U.S. or D.C.
bool IsDotted(std::u16string_view raw) {
    std::size_t letters = 0;
    for (std::size_t i = 0; i < raw.size(); i += 2, ++letters)
        if (!IsAsciiLetter(raw[i]) || (i + 1 < raw.size() && raw[i + 1] != u'.')) return false;
    return letters >= 2;
}

// The words within a word typed with capitals inside it: KeyBank holds KEY and BANK.
std::vector<std::string> Humps(std::u16string_view raw) {
    std::vector<std::string> humps(1);
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (!IsAsciiLetter(raw[i])) continue;
        if (i > 0 && raw[i] <= u'Z' && raw[i - 1] >= u'a') humps.emplace_back();
        humps.back().push_back(static_cast<char>(LowerChar(raw[i])));
    }
    if (humps.size() < 2) return {};
    std::erase_if(humps, [](const std::string& hump) { return hump.size() < kShortestWord; });
    return humps;
}

// The typed text's phrases, split at commas and the like, and their words.
std::vector<TPhrase> SplitPhrases(std::u16string_view typed) {
    std::vector<TPhrase> phrases(1);
    std::string word;
    std::u16string raw;  // the word as typed, with what joins its letters
    const auto endWord = [&] {
        if (word.empty()) return;
        TPhrase& phrase = phrases.back();
        phrase.Capital.push_back(raw[0] <= u'Z');
        for (std::string& hump : Humps(raw)) phrase.Humps.push_back(std::move(hump));
        // An abbreviation with dots gives all its letters to the initials (U.S. Air Force is
        // USAF), and a company its CO (Potomac Electric Power Company is PEPCO).
        phrase.Initials.push_back(IsDotted(raw)       ? word
                                  : word == "company" ? "co"
                                                      : word.substr(0, 1));
        phrase.Words.push_back(std::move(word));
        word.clear();
        raw.clear();
    };
    for (char16_t typedChar : typed) {
        const char16_t c = WithoutAccent(typedChar);
        if (IsAsciiLetter(c) || (Joins(c) && !word.empty())) raw.push_back(c);
        if (IsAsciiLetter(c)) {
            word.push_back(static_cast<char>(LowerChar(c)));
        } else if (!Joins(c)) {
            endWord();
            if (EndsPhrase(c)) phrases.emplace_back();
        }
    }
    endWord();
    return phrases;
}

// Whether the lists hold the word.
bool Listed(const TWordList& lists, std::string_view word) {
    std::u16string digits;
    for (char c : word) digits.push_back(KeyToDigit(static_cast<char16_t>(c)));
    const auto entries = lists.WordsFor(digits);
    return std::any_of(entries.begin(), entries.end(),
                       [&](const TWordEntry& entry) { return lists.Text(entry) == word; });
}

// A name written as one word that the lists lack, made of two words they hold, gives both as
// forms: Hersheypark gives HERSHEY and PARK.
void AddCompoundParts(TOwnWords& own, const TWordList& lists) {
    constexpr std::size_t kShortestPart = 3;
    const std::vector<std::string> words = own.Words;
    for (const std::string& word : words) {
        if (Listed(lists, word)) continue;
        for (std::size_t split = kShortestPart; split + kShortestPart <= word.size(); ++split) {
            const std::string head = word.substr(0, split);
            const std::string tail = word.substr(split);
            if (!Listed(lists, head) || !Listed(lists, tail)) continue;
            own.Forms.push_back(head);
            own.Forms.push_back(tail);
        }
    }
}

// A plural made by rule that the lists lack while they hold its singular is no word: the
// plural of child is CHILDREN, not CHILDS. Names keep theirs (PETMEDS of PetMed).
void DropUnlistedPlurals(TOwnWords& own, const TWordList& lists) {
    std::erase_if(own.Forms, [&](const std::string& form) {
        if (!form.ends_with('s') || Listed(lists, form)) return false;
        std::vector<std::string> stems;
        AddNumberForm(stems, form);
        return std::any_of(stems.begin(), stems.end(),
                           [&](const std::string& stem) { return Listed(lists, stem); });
    });
}

}  // namespace

TOwnWords OwnWords(std::u16string_view typed, const TWordList* lists) {
    const std::vector<TPhrase> phrases = SplitPhrases(typed);
    const bool anyCapital =
        std::any_of(typed.begin(), typed.end(), [](char16_t c) { return c >= u'A' && c <= u'Z'; });
    TOwnWords own;
    for (const TPhrase& phrase : phrases) {
        AddRuns(own, phrase);
        AddNames(own, phrase, anyCapital);
        AddPlaceCodes(own, phrase);
    }
    if (lists) {
        AddCompoundParts(own, *lists);
        DropUnlistedPlurals(own, *lists);
    }
    // The lists take no word of the lists before them.
    std::unordered_set<std::string> taken;
    for (std::vector<std::string>* list : {&own.Words, &own.Forms, &own.Initials, &own.Clips})
        KeepFirst(*list, taken);
    return own;
}

TWordList OwnWordList(std::u16string_view typed, const TWordList* lists) {
    const TOwnWords own = OwnWords(typed, lists);
    const auto lines = [](const std::vector<std::string>& words) {
        std::string text;
        for (const std::string& word : words) text += word + '\n';
        return text;
    };
    const TWordSource sources[] = {{kOwnLevel, lines(own.Words)},
                                   {kTradeLevel, lines(own.Forms)},
                                   {kTradeLevel, lines(own.Initials), true},
                                   {kClipLevel, lines(own.Clips)}};
    return TWordList::FromBlob(MakeWordListBlob(sources, {}));
}

}  // namespace velkari
