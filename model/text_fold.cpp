#include "model/text_fold.h"

#include <cstdint>

namespace kaldora {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t NextCharacter(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
    const auto continuation = [&](std::size_t k) { return k < text.size() && (byte(k) & 0xC0) == 0x80; };
    const char32_t c = byte(i);
    if (c >= 0xC0 && c < 0xE0 && continuation(i + 1)) {
        i += 2;
        return ((c & 0x1F) << 6) | (byte(i - 1) & 0x3F);
    }
    if (c >= 0xE0 && c < 0xF0 && continuation(i + 1) && continuation(i + 2)) {
        i += 3;
        return ((c & 0x0F) << 12) | ((byte(i - 2) & 0x3F) << 6) | (byte(i - 1) & 0x3F);
    }
    if (c >= 0xF0 && c < 0xF8 && continuation(i + 1) && continuation(i + 2) && continuation(i + 3)) {
        i += 4;
        return ((c & 0x07) << 18) | ((byte(i - 3) & 0x3F) << 12) | ((byte(i - 2) & 0x3F) << 6) | (byte(i - 1) & 0x3F);
    }
    ++i;
    return c;
}

namespace {

char32_t Lower(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= U'А' && c <= U'Я') return c + 32;
    if (c == U'Ё' || c == U'ё') return U'е';
    return c;
}

bool IsSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == 0xA0 || c == 0x2009 || c == 0x202F;
}

std::string TitleKey(std::string_view text) {
    std::string key;
    bool space = false;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = Lower(NextCharacter(text, i));
        if (IsSpace(c)) {
            space = !key.empty();
            continue;
        }
        if (c == U'с') c = U'c';
        if (c == U'о') c = U'o';
        if (space) key += ' ';
        space = false;
        AppendUtf8(key, c);
    }
    return key;
}

}  // namespace

std::string FoldedCase(std::string_view text) {
    std::string folded;
    for (std::size_t i = 0; i < text.size();) AppendUtf8(folded, Lower(NextCharacter(text, i)));
    return folded;
}

bool SameWords(std::string_view a, std::string_view b) { return FoldedCase(a) == FoldedCase(b); }

bool SameTitle(std::string_view a, std::string_view b) { return TitleKey(a) == TitleKey(b); }

}  // namespace kaldora
