#include "cli/text_encoding.h"

#include <cerrno>
#include <utility>

#include "cli/errors.h"

namespace kaldora::cli {

namespace {

// The length of the UTF-8 sequence `text` starts with (0 where it is none)
// and whether it is cut at the end of `text`.
struct Sequence {
    std::size_t length;
    bool cut;
};
Sequence Utf8Sequence(std::string_view text) {
    const auto c = static_cast<unsigned char>(text[0]);
    const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    for (std::size_t k = 1; k < length; ++k) {
        if (k >= text.size()) return {0, true};
        if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80) return {0, false};
    }
    return {length, false};
}

}  // namespace

const char* IconvName(Encoding encoding) {
    switch (encoding) {
        case Encoding::Windows1251: return "WINDOWS-1251";
        case Encoding::Utf16LE: return "UTF-16LE";
        case Encoding::Utf16BE: return "UTF-16BE";
        case Encoding::Utf8: break;
    }
    return "UTF-8";
}

Transcoder::Transcoder(const char* to, const char* from, std::string_view replacement)
    : cd_(iconv_open(to, from)), replacement_(replacement) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw ArgumentError{std::string("cannot convert ") + from + " to " + to};
}

Transcoder::~Transcoder() { iconv_close(cd_); }

void Transcoder::Convert(std::string_view in, std::string& out) {
    pending_.append(in);
    char* source = pending_.data();
    std::size_t left = pending_.size();
    char buffer[4096];
    while (left > 0) {
        char* target = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t done = iconv(cd_, &source, &left, &target, &room);
        out.append(buffer, static_cast<std::size_t>(target - buffer));
        if (done != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        if (errno == EINVAL) break;  // cut at the end: the rest comes with the next piece
        out += replacement_;         // EILSEQ
        ++source;
        --left;
    }
    pending_.erase(0, pending_.size() - left);
}

void SpellForWindows1251(std::string& line) {
    static constexpr std::pair<std::string_view, std::string_view> kSpellings[] = {
        {"\xC2\xB3", "3"}, {"\xC2\xB2", "2"}, {"\xE2\x88\x92", "-"}, {"\xE2\x89\xA4", "<="}};
    for (const auto& [from, to] : kSpellings)
        for (std::size_t at = line.find(from); at != std::string::npos; at = line.find(from, at + to.size()))
            line.replace(at, from.size(), to);
}

bool LooksLikeUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const Sequence s = Utf8Sequence(text.substr(i));
        if (s.cut) return true;
        if (s.length == 0) return false;
        i += s.length;
    }
    return true;
}

bool Utf8Checker::Continues(std::string_view piece) {
    if (!cut_.empty() && !piece.empty()) {
        const std::string head = cut_ + std::string(piece.substr(0, 4 - cut_.size()));
        const Sequence s = Utf8Sequence(head);
        if (s.cut && head.size() == cut_.size() + piece.size()) {
            cut_ = head;
            return true;
        }
        if (s.length == 0) return false;
        piece.remove_prefix(s.length - cut_.size());
        cut_.clear();
    }
    for (std::size_t i = 0; i < piece.size();) {
        if (static_cast<unsigned char>(piece[i]) < 0x80) {  // most of a table is ASCII
            ++i;
            continue;
        }
        const Sequence s = Utf8Sequence(piece.substr(i));
        if (s.cut) {
            cut_ = piece.substr(i);
            return true;
        }
        if (s.length == 0) return false;
        i += s.length;
    }
    return true;
}

std::string ValidUtf8(std::string_view text, std::size_t maxBytes) {
    std::string valid;
    for (std::size_t i = 0; i < text.size() && valid.size() < maxBytes;) {
        const std::size_t length = Utf8Sequence(text.substr(i)).length;
        if (length == 0) {
            if (valid.size() + 3 > maxBytes) break;
            valid += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        if (valid.size() + length > maxBytes) break;
        valid.append(text.substr(i, length));
        i += length;
    }
    return valid;
}

}  // namespace kaldora::cli
