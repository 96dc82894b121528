// Texts compared as a person reads them, not byte by byte.
#pragma once

#include <string>
#include <string_view>

namespace kaldora {

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
