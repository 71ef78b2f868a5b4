// The person's own words for the words for a number: names, trade words and phrases typed
// on one line, which rank above every word of the dictionary.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "word_list.h"

namespace velkari {

// The words a typed line yields that a spelling could hold (none longer than kLongestWord), lower
// case, each once, in the order they are met. Commas (and semicolons, slashes, line ends) part
// phrases; blanks and every other character that is no letter part words, but an apostrophe or a
// full stop joins (McDonald's, U.S.). A phrase gives each of its words, each run of two or more
// neighbouring words as one word (Home Depot gives homedepot), and, when it is a name of three
// words or more, its initials, also without its small words (Department of Motor Vehicles gives
// domv and dmv). A name is a run of words that begin with capitals, with small words between them
// (New York State travel holds New York State); when nothing is typed in capitals, every phrase
// counts as one. Its forms are each word and run with an s added or taken off, the words within a
// word with capitals inside it (KeyBank gives key and bank), and the initials of two or more
// neighbouring words of a name (New Jersey Division of Travel gives nj); its clips, each name's
// word of seven letters or more cut to four and to five (Chevrolet gives chev and chevr).
struct TOwnWords {
    std::vector<std::string> Words;
    std::vector<std::string> Forms;     // plurals and singulars, none of them among Words
    std::vector<std::string> Initials;  // of part of a name, none of them among Words or Forms
    std::vector<std::string> Clips;     // none of them among the others
};
// Given the word lists, a word typed that they lack and that is made of two words they hold
// gives both among the forms (Hersheypark gives hershey and park).
TOwnWords OwnWords(std::u16string_view typed, const TWordList* lists = nullptr);

// Those words of 2 to 12 letters as a word list of their own: the words at kOwnLevel, their
// forms at kTradeLevel, their clips at kClipLevel, where they count as common words and
// no more: a clip fits by chance too often to earn the person's bonus.
constexpr int kClipLevel = 10;
TWordList OwnWordList(std::u16string_view typed, const TWordList* lists = nullptr);

}  // namespace velkari
