// The parser of the text art format described in pixel_art.h.
#include "core/pixel_art.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace velkari {

namespace {

struct TRow {
    int Line;
    std::string_view Text;
};

std::string Quoted(char c) {
    if (c >= 0x21 && c < 0x7F) return std::string("'") + c + "'";
    const char digits[] = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(c);
    return std::string("byte 0x") + digits[byte >> 4] + digits[byte & 0xF];
}

std::optional<TRgb> ParseHexColour(std::string_view text) {
    if (text.size() != 7 || text[0] != '#') return std::nullopt;
    TRgb colour = 0;
    for (char c : text.substr(1)) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        colour = colour << 4 | static_cast<TRgb>(digit);
    }
    return colour;
}

// The words of a line, split at blanks.
std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && line[pos] == ' ') ++pos;
        const std::size_t end = line.find(' ', pos);
        const std::size_t stop = end == std::string_view::npos ? line.size() : end;
        if (stop > pos) words.push_back(line.substr(pos, stop - pos));
        pos = stop;
    }
    return words;
}

std::string Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

}  // namespace

namespace {

std::string ErrorText(const std::string& source, int line, const std::string& what) {
    std::string text = source;
    if (line > 0) {
        text += ':';
        text += std::to_string(line);
    }
    text += ": ";
    text += what;
    return text;
}

}  // namespace

TPixelArtError::TPixelArtError(const std::string& source, int line, const std::string& what)
    : std::runtime_error(ErrorText(source, line, what)), FLine(line) {}

namespace {

using TLegend = std::array<std::optional<TRgb>, 256>;

// A `colour <character> #RRGGBB [description]` line: one more entry of the legend.
void ReadColourLine(std::string_view line, const std::string& source, int lineNumber,
                    TLegend& legend) {
    const auto words = Words(line);
    const std::optional<TRgb> colour = words.size() >= 3 ? ParseHexColour(words[2]) : std::nullopt;
    if (words.size() < 3 || words[1].size() != 1 || !colour)
        throw TPixelArtError(source, lineNumber,
                             "expected 'colour <character> #RRGGBB [description]'");
    const char key = words[1][0];
    if (key == '#') throw TPixelArtError(source, lineNumber, "'#' starts a comment, not a colour");
    auto& slot = legend[static_cast<unsigned char>(key)];
    if (slot) throw TPixelArtError(source, lineNumber, "colour " + Quoted(key) + " is given twice");
    slot = colour;
}

int Pixels(std::string_view row) {
    return static_cast<int>(row.size() -
                            static_cast<std::size_t>(std::count(row.begin(), row.end(), ' ')));
}

// Every row must line up with the first: same length, blanks in the same columns. Returns the
// pixels of a row.
int RowWidth(const std::vector<TRow>& rows, const std::string& source) {
    const std::string_view first = rows.front().Text;
    const int width = Pixels(first);
    for (const TRow& row : rows) {
        const int pixels = Pixels(row.Text);
        if (pixels != width)
            throw TPixelArtError(source, row.Line,
                                 "row has " + std::to_string(pixels) +
                                     " pixels, the first row has " + std::to_string(width));
        const std::size_t columns = std::max(row.Text.size(), first.size());
        for (std::size_t i = 0; i < columns; ++i)
            if ((i < row.Text.size() && row.Text[i] == ' ') !=
                (i < first.size() && first[i] == ' '))
                throw TPixelArtError(source, row.Line,
                                     "blanks in column " + std::to_string(i + 1) +
                                         " do not line up with the first row");
    }
    return width;
}

// The rows' pixels in the legend's colours.
TPixelImage PaintRows(const std::vector<TRow>& rows, const TLegend& legend, int width,
                      const std::string& source) {
    TPixelImage image(width, static_cast<int>(rows.size()));
    for (int y = 0; y < image.Height; ++y) {
        const TRow& row = rows[static_cast<std::size_t>(y)];
        int x = 0;
        for (std::size_t i = 0; i < row.Text.size(); ++i) {
            const char c = row.Text[i];
            if (c == ' ') continue;
            const auto& colour = legend[static_cast<unsigned char>(c)];
            if (!colour)
                throw TPixelArtError(
                    source, row.Line,
                    "column " + std::to_string(i + 1) + ": " + Quoted(c) + " has no colour");
            image.Set(x++, y, *colour);
        }
    }
    return image;
}

}  // namespace

TPixelImage ParsePixelArt(std::string_view text, std::string_view sourceView) {
    const std::string source(sourceView);
    TLegend legend{};
    std::vector<TRow> rows;
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // a CRLF checkout

        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#') continue;
        if (trimmed.rfind("colour ", 0) == 0) {
            ReadColourLine(line, source, lineNumber, legend);
        } else if (line.front() == ' ' || line.back() == ' ') {
            throw TPixelArtError(source, lineNumber, "a row must not start or end with a blank");
        } else {
            rows.push_back({lineNumber, line});
        }
    }
    if (rows.empty()) throw TPixelArtError(source, 0, "no picture rows");
    return PaintRows(rows, legend, RowWidth(rows, source), source);
}

int PixelArtHalfSteps(int dpi, int designDpi) {
    if (designDpi <= 0) return 2;
    return std::max(2, (4 * dpi + designDpi) / (2 * designDpi));
}

TPixelImage ScalePixelArt(const TPixelImage& image, int halves) {
    if (halves < 1) throw std::invalid_argument("ScalePixelArt: halves must be positive");
    TPixelImage scaled(image.Width * halves / 2, image.Height * halves / 2);
    for (int y = 0; y < scaled.Height; ++y) {
        const int sourceY = y * 2 / halves;
        for (int x = 0; x < scaled.Width; ++x) scaled.Set(x, y, image.At(x * 2 / halves, sourceY));
    }
    return scaled;
}

}  // namespace velkari
