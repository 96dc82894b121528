#include "model/norm_choice.h"

#include <cstdint>

namespace kaldora {

namespace {

// The next character of UTF-8 text, folded to lower case for the Latin and
// Cyrillic letters; other characters as they are.
char32_t NextFolded(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
    char32_t c = byte(i);
    if (c >= 0xC0 && c < 0xE0 && i + 1 < text.size()) {
        c = ((c & 0x1F) << 6) | (byte(i + 1) & 0x3F);
        i += 2;
    } else {
        i += 1;
    }
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= U'А' && c <= U'Я') return c + 32;
    if (c == U'Ё' || c == U'ё') return U'е';
    return c;
}

}  // namespace

bool SameWords(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size())
        if (NextFolded(a, i) != NextFolded(b, j)) return false;
    return i == a.size() && j == b.size();
}

}  // namespace kaldora
