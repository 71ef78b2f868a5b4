// Words for a number, with the dictionary made from the system's word lists as the build
// makes it, and the word list's packing.
#include "support/doctest_strings.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

#include "core/keypad.h"
#include "core/phone_words.h"

using namespace velkari;

namespace {

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    REQUIRE(in);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const TWordList& Dictionary() {
    static const TWordList list = TWordList::FromBlob(
        MakeWordListBlob(ReadFile(VELKARI_COMMON_WORDS), ReadFile(VELKARI_ALL_WORDS)));
    return list;
}

std::u16string U16(std::string_view text) {
    return {text.begin(), text.end()};
}
bool IsLetter(char16_t c) {
    return c >= u'A' && c <= u'Z';
}

std::u16string WithoutHyphens(std::u16string text) {
    std::erase(text, u'-');
    return text;
}

// The letters spelled at the end, as a reader counts them: past 0, 1 and punctuation, up to
// the first digit 2-9 left standing.
int SpelledTail(const std::u16string& spelling) {
    int letters = 0;
    for (auto c = spelling.rbegin(); c != spelling.rend(); ++c) {
        if (IsLetter(*c))
            ++letters;
        else if (*c >= u'2' && *c <= u'9')
            break;
    }
    return letters;
}

// Everything a spelling of the text must be, whatever the ranking: it converts back, each
// of its words is in the dictionary, and a two-letter word has a neighbour.
void CheckSpellings(const std::u16string& text, const std::vector<std::u16string>& spellings) {
    CAPTURE(velkari_test::Utf8(text));
    CHECK(spellings.size() <= kMostSpellings);
    for (std::size_t i = 0; i < spellings.size(); ++i) {
        const std::u16string& spelling = spellings[i];
        CAPTURE(velkari_test::Utf8(spelling));
        CHECK(WithoutHyphens(ConvertVanityText(spelling).Text) ==
              WithoutHyphens(ConvertVanityText(text).Text));
        CHECK(std::count(spellings.begin(), spellings.end(), spelling) == 1);
        if (i > 0) CHECK(SpelledTail(spellings[i - 1]) >= SpelledTail(spelling));
        // Each word is in the dictionary; one of two letters has a word beside it.
        std::vector<std::u16string> groups(1);
        for (char16_t c : spelling) {
            if (c == u'-' ? !groups.back().empty() : !IsLetter(c)) groups.emplace_back();
            if (IsLetter(c)) groups.back().push_back(c);
        }
        for (std::size_t g = 0; g < groups.size(); ++g) {
            if (groups[g].empty()) continue;
            std::string word;
            for (char16_t c : groups[g]) word.push_back(static_cast<char>(LowerChar(c)));
            const auto found = Dictionary().WordsFor(ConvertVanityText(groups[g]).Text);
            CHECK(std::any_of(found.begin(), found.end(),
                              [&](const TWordEntry& e) { return Dictionary().Text(e) == word; }));
            if (word.size() == 2)
                CHECK(((g > 0 && !groups[g - 1].empty()) ||
                       (g + 1 < groups.size() && !groups[g + 1].empty())));
        }
    }
}

}  // namespace

TEST_CASE("spellings of worked examples, best first") {
    struct TCase {
        const char* Number;
        const char* Expected;  // empty: no spelling at all
        std::size_t Within;    // the expected spelling's place at worst, counted from 1
    };
    const TCase cases[] = {
        {"18003569377", "1-800-FLOWERS", 1},
        {"18004685865", "1-800-GOT-JUNK", 3},
        {"2255", "CALL", 6},
        {"1-800-356-9377", "1-800-FLOWERS", 1},  // a word spans the grouping hyphen
        {"+18003569377", "+1-800-FLOWERS", 1},   // the bare digits grouped after the '+'
        {"3569377-8", "FLOWERS-8", 1},           // a last digit that spells nothing
        {"0101-5678-10-3569377", "0101-LOST-10-FLOWERS", 1},  // the tail passes over 0 and 1
        {"", "", 0},
        {"0110-*#", "", 0},
        {"8", "", 0},
    };
    for (const TCase& c : cases) {
        const std::u16string number = U16(c.Number);
        const std::string shown = c.Number;
        CAPTURE(shown);
        const auto spellings = FindSpellings(Dictionary(), number);
        CheckSpellings(number, spellings);
        if (*c.Expected == 0) {
            CHECK(spellings.empty());
            continue;
        }
        const auto at = std::find(spellings.begin(), spellings.end(), U16(c.Expected));
        REQUIRE(at != spellings.end());
        CHECK(static_cast<std::size_t>(at - spellings.begin()) < c.Within);
    }
    // No word reaches across a blank; two words across a 0 both count in the tail.
    for (const auto& s : FindSpellings(Dictionary(), u"356 9377")) CHECK(s.find(u' ') == 3);
    CHECK(SpelledTail(FindSpellings(Dictionary(), u"0101-5678-10-3569377").front()) == 11);
}

TEST_CASE("every spelling of random numbers converts back to the number") {
    std::mt19937 random(22);
    const std::u16string alphabet = u"0123456789999888777-- +(";
    for (int round = 0; round < 300; ++round) {
        std::u16string number;
        const int length = 1 + static_cast<int>(random() % 30);
        for (int i = 0; i < length; ++i) number.push_back(alphabet[random() % alphabet.size()]);
        const auto spellings = FindSpellings(Dictionary(), number);
        CheckSpellings(number, spellings);
        if (!HasSpellableDigit(number)) CHECK(spellings.empty());
    }
    const auto thirty = FindSpellings(Dictionary(), u"735928469372668437225872253569");
    CHECK(thirty.size() == kMostSpellings);
}

TEST_CASE("the word list keeps lower-case words of letters a-z and packs the common mark") {
    const auto blob =
        MakeWordListBlob("go\nflower\r\nBoston\nflower's\npp\ncafé\ntoolongforalist\n",
                         "go\nab\nflowers\nrpm\nflower\n");
    const TWordList list = TWordList::FromBlob(blob);
    CHECK(list.Size() == 3);
    const auto go = list.WordsFor(u"46");
    REQUIRE(go.size() == 1);
    CHECK(list.Text(go[0]) == "go");
    CHECK(go[0].Common);
    const auto flowers = list.WordsFor(u"3569377");
    REQUIRE(flowers.size() == 1);
    CHECK_FALSE(flowers[0].Common);
    CHECK(list.WordsFor(u"22").empty());  // two letters only from the common list
    CHECK(list.WordsFor(u"GO").empty());  // digits, not letters
    CHECK(list.WordsFor(u"356937").size() == 1);

    // The real lists fit the executable's budget.
    CHECK(MakeWordListBlob(ReadFile(VELKARI_COMMON_WORDS), ReadFile(VELKARI_ALL_WORDS)).size() <
          400 * 1024);

    auto damaged = blob;
    damaged[8] = 0x0F;  // the first word cannot share letters with a word before it
    CHECK_THROWS_AS(TWordList::FromBlob(damaged), std::invalid_argument);
    CHECK_THROWS_AS(TWordList::FromBlob({blob.data(), blob.size() - 3}), std::invalid_argument);
}

TEST_CASE("a call goes to tel: with the digits and a leading plus") {
    CHECK(TelUri(u"+1 (800) 356-9377") == u"tel:+18003569377");
    CHECK(TelUri(u"00 49-30") == u"tel:004930");
    CHECK(TelUri(u"12+3") == u"tel:123");
    CHECK(TelUri(u"+-") == u"");
    CHECK(TelUri(u"") == u"");
}
