#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace kaldora {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Length of the digit run starting at `pos`.
std::size_t DigitRun(std::string_view text, std::size_t pos) {
    std::size_t end = pos;
    while (end < text.size() && IsDigit(text[end])) ++end;
    return end - pos;
}

// Decimal exponent of the first significant digit of a well-formed number
// without sign, e.g. 2 for "123.4" and -3 for "0.0012"; decides whether a
// value out of a double's range is too large or too small.
long long DecimalMagnitude(std::string_view number) {
    const std::size_t e = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, e);
    long long exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view digits = number.substr(e + 1);
        const bool negative = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
            digits.remove_prefix(1);
        const auto [ptr, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
        // Only the sign of the sum matters: an absurd exponent, however it is
        // written, counts as the largest int, so the sum cannot overflow.
        constexpr long long kAbsurd = std::numeric_limits<int>::max();
        if (error != std::errc() || exponent > kAbsurd) exponent = kAbsurd;
        if (negative) exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return 0;
    const long long magnitude = first < point ? static_cast<long long>(point - first) - 1
                                              : -static_cast<long long>(first - point);
    return magnitude + exponent;
}

// Blanks, a sign and the digits of a mantissa with one decimal point, from
// the start of `text`; `pos` ends after them, `start` where the digits begin.
// The number of mantissa digits: none means the text has no number.
std::size_t ScanMantissa(std::string_view text, std::size_t& pos, std::size_t& start, bool& negative) {
    pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    start = pos;
    std::size_t mantissaDigits = DigitRun(text, pos);
    pos += mantissaDigits;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fraction = DigitRun(text, pos + 1);
        if (mantissaDigits + fraction > 0) {
            pos += 1 + fraction;
            mantissaDigits += fraction;
        }
    }
    return mantissaDigits;
}

}  // namespace

bool HasNumberPrefix(std::string_view text) {
    std::size_t pos = 0, start = 0;
    bool negative = false;
    return ScanMantissa(text, pos, start, negative) > 0;
}

double ParsePointNumber(std::string_view text) {
    std::size_t pos = 0, start = 0;
    bool negative = false;
    if (ScanMantissa(text, pos, start, negative) == 0) return 0.0;

    // An exponent counts only when at least one digit follows it.
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exp = pos + 1;
        if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) ++exp;
        const std::size_t expDigits = DigitRun(text, exp);
        if (expDigits > 0) pos = exp + expDigits;
    }

    const std::string_view number = text.substr(start, pos - start);
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), value,
                        std::chars_format::general);
    if (error == std::errc::result_out_of_range)
        value = DecimalMagnitude(number) < 0 ? 0.0 : std::numeric_limits<double>::max();
    else if (error != std::errc() || end != number.data() + number.size())
        value = 0.0;
    return negative ? -value : value;
}

namespace {
std::string ReplaceFirst(std::string_view text, char from, char to) {
    std::string replaced(text);
    if (const auto at = replaced.find(from); at != std::string::npos) replaced[at] = to;
    return replaced;
}
}  // namespace

std::string SwapFirstComma(std::string_view text) { return ReplaceFirst(text, ',', '.'); }

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<double> ParseWholeNumber(std::string_view text) {
    const std::string swapped = SwapFirstComma(TrimBlanks(text));
    double value = 0.0;
    const char* end = swapped.data() + swapped.size();
    const auto [ptr, error] = std::from_chars(swapped.data(), end, value);
    if (error != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string SwapFirstPoint(std::string_view text) { return ReplaceFirst(text, '.', ','); }

std::string FormatFixed(double value, int width, int decimals) {
    // Fixed notation of the largest double needs 309 digits before the point.
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text = error == std::errc() ? std::string(buffer, end) : std::string("0");
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::string FormatShown(double value, int width, int decimals) {
    return SwapFirstPoint(FormatFixed(value, width, decimals));
}

std::string FormatWithRecord(const std::string& record, double value) {
    // Records are built by MakeSlotFormat only: "%" W "." P "f".
    int width = 1;
    int decimals = 0;
    const auto point = record.find('.');
    if (record.size() > 2 && record.front() == '%' && point != std::string::npos) {
        std::from_chars(record.data() + 1, record.data() + point, width);
        std::from_chars(record.data() + point + 1, record.data() + record.size() - 1, decimals);
    }
    return FormatFixed(value, width, decimals);
}

std::size_t CountCharacters(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

}  // namespace kaldora
