// Reading an art file from disk, kept apart from the parser: only the build tools and the
// tests read files, and the stream library it needs would add some 800 KB to anything
// that links the parser.
#include <fstream>
#include <sstream>

#include "core/pixel_art.h"

namespace velkari {

TPixelImage LoadPixelArtFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw TPixelArtError(path, 0, "cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw TPixelArtError(path, 0, "cannot be read");
    return ParsePixelArt(text.str(), path);
}

}  // namespace velkari
