// Locale-free conversions between numbers and the texts the user types and
// reads. A desktop locale with a decimal comma must not change them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kaldora {

// The longest prefix of `text` (after leading blanks) made of a sign,
// digits, one decimal point and an exponent, converted to a double; 0.0
// when there is none. Words such as inf or nan and hex forms are not
// numbers. A value too large for a double saturates at the largest finite
// one, so the result is always finite.
double ParsePointNumber(std::string_view text);

// Whether ParsePointNumber finds a number at the start of `text` at all;
// without one it reads 0 though nothing was typed that means 0.
bool HasNumberPrefix(std::string_view text);

// `text` without the blanks and tabs around it.
std::string_view TrimBlanks(std::string_view text);

// The whole text, blanks around it aside, as a number with a decimal comma
// or point; nothing when anything else is in it or it is not finite. For
// cells whose meaning must not be guessed from a prefix.
std::optional<double> ParseWholeNumber(std::string_view text);

// A number as a spreadsheet or a word processor writes it, read whole: a
// sign (hyphen-minus, the minus sign U+2212 or an en dash), digits in groups
// of three that blanks, no-break or thin spaces may separate, one decimal
// comma or point, an exponent; nothing when the text is anything else or the
// number is not finite. With `commaGroups` (a table whose cells a comma
// separates) a comma only separates groups of three digits ("1,200.5") and
// the decimal sign is a point.
std::optional<double> ReadSpreadsheetNumber(std::string_view text, bool commaGroups = false);

// `text` without the blanks, tabs, line breaks and the spaces a spreadsheet
// writes (no-break, thin) around it.
std::string_view TrimSpaces(std::string_view text);

// Replaces the first "," of `text` by ".".
std::string SwapFirstComma(std::string_view text);

// Replaces the first "." of `text` by ",".
std::string SwapFirstPoint(std::string_view text);

// The shortest text that reads back to the same finite value, with a
// decimal point, fixed or with an exponent, whichever is shorter (fixed when
// both are as long): std::to_chars's plain form. Writes at most 32 chars.
inline constexpr std::size_t kShortestTextRoom = 32;
char* WriteShortest(char* buffer, double value);

// printf-style "%W.Pf" of a finite value, with a decimal point.
std::string FormatFixed(double value, int width, int decimals);

// The same with the first "." replaced by ",", as every shown value is.
std::string FormatShown(double value, int width, int decimals);

// Formats with a slot format record such as "%4.2f".
std::string FormatWithRecord(const std::string& record, double value);

// Number of characters (not bytes) of a UTF-8 text.
std::size_t CountCharacters(std::string_view utf8);

}  // namespace kaldora
