// Text in the encodings Russian spreadsheets save, and checks of UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <iconv.h>

namespace kaldora::cli {

// UTF-8, or what Russian spreadsheets also save: Windows-1251 ("CSV") and
// UTF-16 with its mark ("Текст Юникод").
enum class Encoding { Utf8, Windows1251, Utf16LE, Utf16BE };

const char* IconvName(Encoding encoding);

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

// Text from one encoding to another in pieces (glibc iconv): a sequence cut
// at a piece's end waits for the next piece; a byte that cannot be converted
// becomes `replacement`. Throws ArgumentError when iconv lacks the pair.
class Transcoder {
public:
    Transcoder(const char* to, const char* from, std::string_view replacement);
    ~Transcoder();
    Transcoder(const Transcoder&) = delete;
    Transcoder& operator=(const Transcoder&) = delete;

    void Convert(std::string_view in, std::string& out);

private:
    iconv_t cd_;
    std::string replacement_;
    std::string pending_;
};

// The characters of our texts that Windows-1251 lacks, as its own letters.
void SpellForWindows1251(std::string& line);

// Whether `text` is UTF-8, allowing a sequence cut at its very end.
bool LooksLikeUtf8(std::string_view text);

// Whether text read in pieces goes on as UTF-8: a sequence cut at the end of
// one piece is checked with the next.
class Utf8Checker {
public:
    bool Continues(std::string_view piece);

private:
    std::string cut_;
};

// At most `maxBytes` of valid UTF-8, cut at a character boundary; bytes that
// are no UTF-8 become U+FFFD.
std::string ValidUtf8(std::string_view text, std::size_t maxBytes);

}  // namespace kaldora::cli
