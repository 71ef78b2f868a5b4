// The data that embedded_data.S takes in, as the program reads it.
#include "cli/embedded_data.h"

extern "C" {
extern const char velkari_words_blob_begin[], velkari_words_blob_end[];
extern const char velkari_digit_art_begin[], velkari_digit_art_end[];
extern const char velkari_letter_art_begin[], velkari_letter_art_end[];
}

namespace velkari_cli {

std::span<const std::uint8_t> WordListBlob() {
    return {reinterpret_cast<const std::uint8_t*>(velkari_words_blob_begin),
            static_cast<std::size_t>(velkari_words_blob_end - velkari_words_blob_begin)};
}

std::string_view DigitGlyphArt() {
    return {velkari_digit_art_begin,
            static_cast<std::size_t>(velkari_digit_art_end - velkari_digit_art_begin)};
}

std::string_view LetterGlyphArt() {
    return {velkari_letter_art_begin,
            static_cast<std::size_t>(velkari_letter_art_end - velkari_letter_art_begin)};
}

}  // namespace velkari_cli
