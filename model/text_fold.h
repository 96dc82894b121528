// Texts compared as a person reads them, not byte by byte.
#pragma once

#include <string>
#include <string_view>

namespace kaldora {

// UTF-8 one character at a time: the next character of the text from `i`
// (moved past it; a byte that starts no sequence is taken as it is), and a
// character appended.
char32_t NextCharacter(std::string_view text, std::size_t& i);
void AppendUtf8(std::string& out, char32_t c);

// Latin and Cyrillic letters in lower case, ё as е; other characters as
// they are.
std::string FoldedCase(std::string_view text);

// The same words in any letter case.
bool SameWords(std::string_view a, std::string_view b);

// The same title as a spreadsheet's header cell may hold it: letter case,
// runs of blanks, no-break spaces and line breaks, and the Cyrillic с and о
// that look like the Latin c and o (as in "°С") make no difference.
bool SameTitle(std::string_view a, std::string_view b);

}  // namespace kaldora
