// Words for a number, with the dictionary made from the system's word lists as the build
// makes it, the word list's packing, and the number as it is dialled.
#include "support/doctest_strings.h"

#include <algorithm>
#include <random>
#include <stdexcept>

#include "core/dialled_number.h"
#include "core/keypad.h"
#include "core/own_words.h"
#include "core/phone_words.h"
#include "core/word_sources.h"

using namespace velkari;

namespace {

const TWordList& Dictionary() {
    static const TWordList list = TWordList::FromBlob(PackWordFiles(BuildWordFiles()));
    return list;
}

std::u16string U16(std::string_view text) {
    return {text.begin(), text.end()};
}
bool IsLetter(char16_t c) {
    return c >= u'A' && c <= u'Z';
}

std::u16string Dialled(std::u16string text) {
    std::erase(text, u'-');
    return ConvertVanityText(text).Text;
}

bool Lists(const TWordList& list, const std::u16string& letters, const std::string& word) {
    const auto found = list.WordsFor(ConvertVanityText(letters).Text);
    return std::any_of(found.begin(), found.end(),
                       [&](const TWordEntry& e) { return list.Text(e) == word; });
}

// Everything a spelling of the text must be, whatever the ranking: without its letters past
// the end it converts back, each of its words is in the dictionary or the person's own
// (or I, A, U before a word), a two-letter word is in a run of words with a longer one (a 4
// read as FOR joins words), and a dictionary word that runs past the end spells three digits
// at least.
void CheckSpellings(const std::u16string& text, const std::vector<TSpelling>& spellings,
                    const TWordList& own = TWordList()) {
    CAPTURE(velkari_test::Utf8(text));
    CHECK(spellings.size() <= kMostSpellings);
    for (const TSpelling& spelling : spellings) {
        CAPTURE(velkari_test::Utf8(spelling.Text));
        CHECK(spelling.Undialled <= kMostUndialled);
        const std::u16string dialled =
            spelling.Text.substr(0, spelling.Text.size() - spelling.Undialled);
        CHECK(Dialled(dialled) == Dialled(text));
        CHECK(std::count(spellings.begin(), spellings.end(), spelling) == 1);
        // A 4 read as FOR between two words joins them as a hyphen would (CARE-4-US).
        std::u16string t = spelling.Text;
        for (std::size_t i = 1; i + 3 < t.size(); ++i)
            if (IsLetter(t[i - 1]) && t.compare(i, 3, u"-4-") == 0 && IsLetter(t[i + 3]))
                t.erase(i + 1, 2);
        std::vector<std::u16string> groups(1);
        for (char16_t c : t) {
            if (c == u'-' ? !groups.back().empty() : !IsLetter(c)) groups.emplace_back();
            if (IsLetter(c)) groups.back().push_back(c);
        }
        for (std::size_t g = 0; g < groups.size(); ++g) {
            if (groups[g].empty()) continue;
            if (groups[g].size() == 1) {
                CHECK(std::u16string_view(u"AIU").find(groups[g][0]) != std::u16string_view::npos);
                CHECK((g + 1 < groups.size() && !groups[g + 1].empty()));
                continue;
            }
            std::string word;
            for (char16_t c : groups[g]) word.push_back(static_cast<char>(LowerChar(c)));
            const bool mine = Lists(own, groups[g], word);
            CHECK((mine || Lists(Dictionary(), groups[g], word)));
            if (!mine && g + 1 == groups.size() && spelling.Undialled > 0)
                CHECK(word.size() >= spelling.Undialled + 3);
            if (word.size() != 2) continue;
            std::size_t first = g;
            std::size_t last = g;
            while (first > 0 && !groups[first - 1].empty()) --first;
            while (last + 1 < groups.size() && !groups[last + 1].empty()) ++last;
            CHECK(std::any_of(groups.begin() + static_cast<std::ptrdiff_t>(first),
                              groups.begin() + static_cast<std::ptrdiff_t>(last) + 1,
                              [](const std::u16string& other) { return other.size() > 2; }));
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
        {"18004685865", "1-800-GOT-JUNK", 1},    // not the rare GNU
        {"18003425669", "1-800-DIAL-NOW", 1},    // not the rarer MOW
        {"2255", "CALL", 1},                     // before BALL, BALK and CALK
        {"18007997233", "1-800-799-SAFE", 1},    // the exchange in digits, not PYX
        {"18006288737", "1-800-MATTRESS", 5},    // an S past the end
        {"1-800-356-9377", "1-800-FLOWERS", 1},  // a word spans the grouping hyphen
        {"+18003569377", "+1-800-FLOWERS", 1},   // the bare digits grouped after the '+'
        {"3569377-8", "FLOWERS-8", 1},           // a last digit that spells nothing
        {"0101-5678-10-3569377", "0101-LOST-10-FLOWERS", 1},  // no word across 0 and 1
        {"18889691329", "1-888-WOW-1-DAY", 1},                // a 1 parts words as a hyphen would
        {"18002738255", "1-800-273-TALK", 3},                 // not behind ARE-TALK and its kind
        {"18004663337", "1-800-HOME-DEPOT", 1},               // two words that go together
        {"18002627387", "1-800-BOARD-UP", 1},                 // not BOB-PETS
        {"18003668288", "1-800-DONT-CUT", 2},                 // a contraction as spelled
        {"18004688243", "1-800-4-OUTAGE", 1},                 // not GOTTA-HE: HE ends nothing
        {"18882273487", "1-888-CARE-4-US", 10},               // US after 4 read as FOR
        {"17132228477", "1-713-222-TIPS", 1},    // a local number keeps its exchange, not CAB
        {"18006635893", "1-800-NOEL-893", 1},    // not ONE-5893: it reads as a digit
        {"18776629484", "1-877-MOB-WITHIN", 1},  // not MOB-WITH: WITH only joins words
        {"18003444867", "1-800-FIGHT-MS", 2},    // not behind FIGHT-MR: MR leads into a name
        {"", "", 0},
        {"0110-*#", "", 0},
        {"8", "", 0},
    };
    for (const TCase& c : cases) {
        const std::u16string number = U16(c.Number);
        CAPTURE(std::string(c.Number));
        const auto spellings = FindSpellings(Dictionary(), number);
        CheckSpellings(number, spellings);
        if (*c.Expected == 0) {
            CHECK(spellings.empty());
            continue;
        }
        const auto at = std::find_if(spellings.begin(), spellings.end(),
                                     [&](const TSpelling& s) { return s.Text == U16(c.Expected); });
        REQUIRE(at != spellings.end());
        CHECK(static_cast<std::size_t>(at - spellings.begin()) < c.Within);
    }
    // A whole number spells only its last seven digits; letters past the end are counted.
    for (const auto& s : FindSpellings(Dictionary(), u"18006288737")) {
        CHECK(s.Text.starts_with(u"1-800-"));
        if (s.Text == u"1-800-MATTRESS") CHECK(s.Undialled == 1);
    }
    for (const auto& s : FindSpellings(Dictionary(), u"356 9377")) CHECK(s.Text.find(u' ') == 3);
    for (const std::u16string rude :
         {u"SHIT", u"TURDS", u"KKK", u"WOP"})  // banned, and with an ending
        for (const auto& s : FindSpellings(Dictionary(), ConvertVanityText(rude).Text))
            CHECK(s.Text != rude);
}

TEST_CASE("the person's own words, and phrases that run on") {
    struct TCase {
        const char* Typed;
        const char* Number;
        const char* Expected;
        std::size_t Within;
    };
    const TCase cases[] = {
        {"Home Depot, paint", "18004663337", "1-800-HOMEDEPOT", 1},  // two letters past
        {"Federal Emergency Management Agency", "18006213362", "1-800-621-FEMA", 1},
        {"yellow pages", "18009355697", "1-800-YELLOWPAGES", 1},  // four letters past
        {"Kars4Kids", "18775277454", "1-877-KARS-4-KIDS", 1},     // KIDS finishes the name
        {"Trevor", "18664887386", "1-866-4-U-TREVOR", 3},
        {"Mercedes-Benz, luxury cars", "18003676372", "1-800-FOR-MERCEDES", 1},
        {"Nikon, cameras", "18006456687", "1-800-NIKON-US", 2},
        {"", "18008722769", "1-800-USA-ARMY", 1},   // an abbreviation beside a common word
        {"", "18007332767", "1-800-RED-CROSS", 1},  // words that go together
        {"Project Vote Smart", "18888683762", "1-888-VOTESMART", 1},
        {"Holiday Inn, hotels", "18004654329", "1-800-HOLIDAY", 1},  // INN is not dialled
        {"Los Angeles Department of Water and Power", "18003425397", "1-800-DIAL-DWP", 1},
        {"New Jersey Division of Travel and Tourism", "18008474865", "1-800-VISIT-NJ", 1},
        {"California Division of Tourism", "18008622543", "1-800-TO-CALIF", 1},  // a clip
        {"American Express, credit cards", "18008432273", "1-800-THE-CARD", 1},  // not CARDS
        {"Public Service Electric and Gas", "18004367734", "1-800-436-PSEG", 1},
        {"Potomac Electric Power Company", "18777372662", "1-877-PEPCO-62", 1},
        {"U.S. Air Force", "18004238723", "1-800-423-USAF", 2},      // not 4-AF-USAF
        {"Hersheypark, resort", "18004377439", "1-800-HERSHEY", 1},  // not HERSHEYPARK
        {"Colorado Department of Human Services", "18442645437", "1-844-CO-4-KIDS", 1},
    };
    for (const TCase& c : cases) {
        CAPTURE(std::string(c.Number));
        const TWordList own = OwnWordList(U16(c.Typed), &Dictionary());
        const auto spellings = FindSpellings(Dictionary(), U16(c.Number), kMostSpellings, own);
        CheckSpellings(U16(c.Number), spellings, own);
        const auto at = std::find_if(spellings.begin(), spellings.end(),
                                     [&](const TSpelling& s) { return s.Text == U16(c.Expected); });
        REQUIRE(at != spellings.end());
        CHECK(static_cast<std::size_t>(at - spellings.begin()) < c.Within);
    }
    // A singular the lists do not know is left out: Texas gives no TEXA.
    for (const auto& s : FindSpellings(Dictionary(), u"18008888839", kMostSpellings,
                                       OwnWordList(u"Texas Tourism Division")))
        CHECK(s.Text.find(u"TEXA") == s.Text.find(u"TEXAS"));
    // Words that fit nowhere change nothing; only names give initials.
    CHECK(FindSpellings(Dictionary(), u"18003569377", kMostSpellings, OwnWordList(u"Qzx, jjj")) ==
          FindSpellings(Dictionary(), u"18003569377"));
    const TOwnWords own = OwnWords(
        u"Macy's, U.S. Bank; Department of Motor Vehicles/free home delivery, mattress, "
        u"New York State travel, Québec");
    for (const char* word : {"macys", "usbank", "dmv", "domv", "homedelivery", "nys", "quebec"})
        CHECK(std::count(own.Words.begin(), own.Words.end(), word) == 1);
    for (const char* word : {"fhd", "nyst", "departmentof", "mattres", "deli"})
        CHECK(std::count(own.Words.begin(), own.Words.end(), word) +
                  std::count(own.Forms.begin(), own.Forms.end(), word) ==
              0);
    CHECK(std::count(own.Words.begin(), own.Words.end(), "macysusbank") == 0);
    CHECK(std::count(own.Forms.begin(), own.Forms.end(), "macy") == 1);
    CHECK(own.Clips == std::vector<std::string>{"depa", "depar", "vehi", "vehic"});
    CHECK(OwnWords(u"free home delivery").Words.back() == "fhd");  // nothing in capitals
    const auto forms = OwnWords(u"dish, family, boxes, bodies, U.S. Bank, JetBlue").Forms;
    for (const char* form : {"dishes", "families", "box", "body", "usbanks", "jet", "blue"})
        CHECK(std::count(forms.begin(), forms.end(), form) == 1);
    CHECK(std::count(forms.begin(), forms.end(), "dishs") == 0);
    const auto listed = OwnWords(u"child, PetMed", &Dictionary()).Forms;  // no CHILDS
    CHECK(std::count(listed.begin(), listed.end(), "childs") == 0);
    CHECK(std::count(listed.begin(), listed.end(), "petmeds") == 1);
    // A state named gives its code, the longer name first: WV, not VA.
    const auto places = OwnWords(u"Texas, west virginia tourism").Initials;
    for (const char* code : {"tx", "wv", "va"})
        CHECK(std::count(places.begin(), places.end(), code) == (*code != 'v'));
}

TEST_CASE("every spelling of random numbers converts back to the number") {
    std::mt19937 random(22);
    const std::u16string alphabet = u"0123456789999888777-- +(";
    for (int round = 0; round < 300; ++round) {
        std::u16string number;
        const int length = 1 + static_cast<int>(random() % 30);
        for (int i = 0; i < length; ++i) number.push_back(alphabet[random() % alphabet.size()]);
        if (round % 3 == 0) number = u"1800" + number.substr(0, 7);  // whole numbers too
        const TWordList own = OwnWordList(round % 2 ? u"" : u"Home Depot, yellow pages, taxi");
        const auto spellings = FindSpellings(Dictionary(), number, kMostSpellings, own);
        CheckSpellings(number, spellings, own);
        if (!HasSpellableDigit(number)) CHECK(spellings.empty());
        // In a field of a few more characters: only spellings that fit, the best first.
        const std::size_t room = number.size() + random() % 8;
        const auto fitting = FindSpellings(Dictionary(), number, kMostSpellings, own, room);
        CheckSpellings(number, fitting, own);
        for (const TSpelling& spelling : fitting) CHECK(spelling.Text.size() <= room);
        if (!spellings.empty() && spellings[0].Text.size() <= room)
            CHECK((!fitting.empty() && fitting[0] == spellings[0]));
    }
    const std::u16string thirty = u"735928469372668437225872253569";
    CHECK(FindSpellings(Dictionary(), thirty).size() == kMostSpellings);
    CHECK(FindSpellings(Dictionary(), thirty, kMostSpellings, {}, 30).empty());
    CHECK(FindSpellings(Dictionary(), thirty.substr(2), kMostSpellings, {}, 30).size() ==
          kMostSpellings);  // each with at most two hyphens
}

TEST_CASE("the word list keeps each word's commonest level, names too, and none banned") {
    const TWordSource sources[] = {
        {50, "go\nflower\r\nBoston\nflower's\ncafé\ntoolongforalist\nflowers\n"},
        {10, "go\nflowery\n"},
        {kTradeLevel, "call\n"}};
    const auto blob = MakeWordListBlob(sources, "flowery\n", "go call\nflowery go\ncall go\n");
    const TWordList list = TWordList::FromBlob(blob);
    CHECK(list.Size() == 5);  // go, flower, boston, flowers, call
    const auto go = list.WordsFor(u"46");
    REQUIRE(go.size() == 1);
    CHECK(list.Text(go[0]) == "go");
    CHECK(go[0].Level == 10);
    CHECK(list.WordsFor(u"267866").size() == 1);  // boston
    CHECK(list.WordsFor(u"2255")[0].Level == kTradeLevel);
    CHECK(list.WordsFor(u"3569379").empty());                  // flowery is banned
    CHECK(list.WordsFor(u"GO").empty());                       // digits, not letters
    const auto longer = list.WordsStartingWith(u"356937", 1);  // flowers, not flower
    REQUIRE(longer.size() == 1);
    CHECK(list.Text(longer[0]) == "flowers");
    const auto call = list.WordsFor(u"2255");
    CHECK(list.Paired(go[0], call[0]));
    CHECK(list.Paired(call[0], go[0]));
    CHECK_FALSE(list.Paired(go[0], go[0]));
    const TWordSource unknownLevel[] = {{15, "go\n"}};
    CHECK_THROWS_AS(MakeWordListBlob(unknownLevel, ""), std::invalid_argument);

    // The real lists fit the executable's budget.
    CHECK(PackWordFiles(BuildWordFiles()).size() < 500 * 1024);

    auto damaged = blob;
    damaged[8] = 0x8F;  // the first word cannot share letters with a word before it
    CHECK_THROWS_AS(TWordList::FromBlob(damaged), std::invalid_argument);
    CHECK_THROWS_AS(TWordList::FromBlob({blob.data(), blob.size() - 1}), std::invalid_argument);
    damaged = blob;
    damaged.back() = 0;  // the second pair the same as the first
    CHECK_THROWS_AS(TWordList::FromBlob(damaged), std::invalid_argument);

    // How often a word is said moves it; a word of the lists never said is rarest.
    const TWordSource withNames[] = {
        sources[0], sources[1], sources[2], {20, "FDIC\n", true}, {50, "gos\n"}};
    const auto spoken = LevelBySpeech(withNames, "go\t-2.5\nflower\t-5.0\ncall\t-9\n");
    const TWordList levelled = TWordList::FromBlob(MakeWordListBlob(spoken, ""));
    CHECK(levelled.WordsFor(u"46")[0].Level == 10);
    CHECK(levelled.WordsFor(u"356937")[0].Level == 35);
    CHECK(levelled.WordsFor(u"267866")[0].Level == 60);         // boston
    CHECK(levelled.WordsFor(u"3569377")[0].Level == 40);        // flowers, a level below flower
    CHECK(levelled.WordsFor(u"467")[0].Level == 60);            // go is too common for GOS
    CHECK(levelled.WordsFor(u"2255")[0].Level == kTradeLevel);  // trade words stay
    CHECK(levelled.WordsFor(u"3342")[0].Level ==
          35);  // a name never said: its own level, 35 at best
}

TEST_CASE("a North American number is dialled without the letters past its end") {
    struct TCase {
        const char16_t* Text;
        const char16_t* Tel;
        const char16_t* Said;  // the lower field's hint
    };
    const TCase cases[] = {
        {u"1-800-MATTRESS", u"tel:+18006288737",
         u"Dialled as +1 800-628-8737; the last letter is not dialled"},
        {u"1-877-KARS-4-KIDS", u"tel:+18775277454",
         u"Dialled as +1 877-527-7454; the last two letters are not dialled"},
        {u"+1 (800) 356-9377", u"tel:+18003569377", u"Dialled as +1 800-356-9377"},
        {u"800.FLOWERS", u"tel:+18003569377", u"Dialled as +1 800-356-9377"},
        {u"1-800-628-87377", u"tel:180062887377", u""},  // a digit past the end is dialled
        {u"1-800-YELLOWPAGES", u"tel:+18009355697",
         u"Dialled as +1 800-935-5697; the last four letters are not dialled"},
        {u"1-800-FLOWERS-XYZ", u"tel:18003569377999", u""},     // no letters past a hyphen
        {u"1-800-FLOWERSXYZAB", u"tel:1800356937799922", u""},  // five letters past
        {u"0800-356-9377", u"tel:08003569377", u""},            // not North America's plan
        {u"+44 20 7946 0000", u"tel:+442079460000", u""},
        {u"+8003569377", u"tel:+8003569377", u""},  // '+' then no country code 1
        {u"1-800-FLOWERS*", u"tel:18003569377", u""},
        {u"00 49-30", u"tel:004930", u""},
        {u"12+3", u"tel:123", u""},
        {u"+-", u"", u""},
    };
    for (const TCase& c : cases) {
        CAPTURE(velkari_test::Utf8(std::u16string(c.Text)));
        CHECK(TelUri(c.Text) == c.Tel);
        CHECK(DialledDescription(c.Text) == c.Said);
    }
    CHECK(PlanDigitPlaces(u"1-800-356-9377") ==
          std::vector<std::size_t>{0, 2, 3, 4, 6, 7, 8, 10, 11, 12, 13});
    CHECK(PlanDigitPlaces(u"1800356937").empty());
    CHECK(PlanDigitPlaces(u"1-800-35-6937-7").size() == 11);
}
