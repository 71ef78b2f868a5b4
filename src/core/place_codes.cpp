// The states' and provinces' names and their postal codes.
#include "place_codes.h"

#include <array>
#include <utility>

namespace velkari {

namespace {

// Each name's words are parted by one blank.
constexpr std::array<std::pair<std::string_view, std::string_view>, 64> kPlaces = {{
    {"alabama", "al"},
    {"alaska", "ak"},
    {"arizona", "az"},
    {"arkansas", "ar"},
    {"california", "ca"},
    {"colorado", "co"},
    {"connecticut", "ct"},
    {"delaware", "de"},
    {"district of columbia", "dc"},
    {"florida", "fl"},
    {"georgia", "ga"},
    {"hawaii", "hi"},
    {"idaho", "id"},
    {"illinois", "il"},
    {"indiana", "in"},
    {"iowa", "ia"},
    {"kansas", "ks"},
    {"kentucky", "ky"},
    {"louisiana", "la"},
    {"maine", "me"},
    {"maryland", "md"},
    {"massachusetts", "ma"},
    {"michigan", "mi"},
    {"minnesota", "mn"},
    {"mississippi", "ms"},
    {"missouri", "mo"},
    {"montana", "mt"},
    {"nebraska", "ne"},
    {"nevada", "nv"},
    {"new hampshire", "nh"},
    {"new jersey", "nj"},
    {"new mexico", "nm"},
    {"new york", "ny"},
    {"north carolina", "nc"},
    {"north dakota", "nd"},
    {"ohio", "oh"},
    {"oklahoma", "ok"},
    {"oregon", "or"},
    {"pennsylvania", "pa"},
    {"puerto rico", "pr"},
    {"rhode island", "ri"},
    {"south carolina", "sc"},
    {"south dakota", "sd"},
    {"tennessee", "tn"},
    {"texas", "tx"},
    {"utah", "ut"},
    {"vermont", "vt"},
    {"virginia", "va"},
    {"washington", "wa"},
    {"west virginia", "wv"},
    {"wisconsin", "wi"},
    {"wyoming", "wy"},
    {"alberta", "ab"},
    {"british columbia", "bc"},
    {"manitoba", "mb"},
    {"new brunswick", "nb"},
    {"newfoundland", "nl"},
    {"nova scotia", "ns"},
    {"nunavut", "nu"},
    {"ontario", "on"},
    {"prince edward island", "pe"},
    {"quebec", "qc"},
    {"saskatchewan", "sk"},
    {"yukon", "yt"},
}};

// Whether the name's words are those from words[first] on.
bool NameAt(std::string_view name, std::span<const std::string> words, std::size_t first,
            std::size_t& count) {
    count = 0;
    while (!name.empty()) {
        if (first + count >= words.size()) return false;
        const std::size_t blank = name.find(' ');
        if (name.substr(0, blank) != words[first + count]) return false;
        ++count;
        name = blank == std::string_view::npos ? std::string_view() : name.substr(blank + 1);
    }
    return true;
}

}  // namespace

TPlaceCode PlaceCodeAt(std::span<const std::string> words, std::size_t first) {
    for (const auto& [name, code] : kPlaces)
        if (std::size_t count = 0; NameAt(name, words, first, count)) return {code, count};
    return {};
}

}  // namespace velkari
