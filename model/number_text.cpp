#include "model/number_text.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <system_error>
#include <version>

namespace kaldora {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// std::from_chars for a double, in the general format. Where the library has
// none (the browser build's), a plain decimal number is read by strtod from a
// copy: only the C locale exists there, so the point is the decimal sign, and
// whatever else strtod would take (blanks, "+", "inf", hex) is refused first.
std::from_chars_result ReadDouble(const char* first, const char* last, double& value) {
#if defined(__cpp_lib_to_chars)
    return std::from_chars(first, last, value, std::chars_format::general);
#else
    const char* end = first;
    if (end < last && *end == '-') ++end;
    if (end == last || !(IsDigit(*end) || *end == '.')) return {first, std::errc::invalid_argument};
    while (end < last && (IsDigit(*end) || *end == '.' || *end == 'e' || *end == 'E' || *end == '+' || *end == '-'))
        ++end;
    const std::string copy(first, end);
    char* parsed = nullptr;
    errno = 0;
    const double read = std::strtod(copy.c_str(), &parsed);
    if (parsed == copy.c_str()) return {first, std::errc::invalid_argument};
    const char* stop = first + (parsed - copy.c_str());
    if (errno == ERANGE) return {stop, std::errc::result_out_of_range};
    value = read;
    return {stop, std::errc()};
#endif
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

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
        if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
        const auto [ptr, error] = std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
        // Only the sign of the sum matters: an absurd exponent, however it is
        // written, counts as the largest int, so the sum cannot overflow.
        constexpr long long kAbsurd = std::numeric_limits<int>::max();
        if (error != std::errc() || exponent > kAbsurd) exponent = kAbsurd;
        if (negative) exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return 0;
    const long long magnitude =
        first < point ? static_cast<long long>(point - first) - 1 : -static_cast<long long>(first - point);
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
    const auto [end, error] = ReadDouble(number.data(), number.data() + number.size(), value);
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
    const auto [ptr, error] = ReadDouble(swapped.data(), end, value);
    if (error != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

namespace {

// The UTF-8 spellings a spreadsheet puts between digit groups and before a
// negative number.
constexpr std::string_view kGroupSpaces[] = {" ", "\xC2\xA0", "\xE2\x80\x89", "\xE2\x80\xAF"};
constexpr std::string_view kMinusSigns[] = {"-", "\xE2\x88\x92", "\xE2\x80\x93"};

bool Consume(std::string_view& text, std::string_view prefix) {
    if (text.substr(0, prefix.size()) != prefix) return false;
    text.remove_prefix(prefix.size());
    return true;
}

// A blank or one of the spaces a spreadsheet writes, at the start of `text`.
bool ConsumeSpace(std::string_view& text) {
    for (std::string_view space : kGroupSpaces)
        if (Consume(text, space)) return true;
    return text.empty() ? false : (text.front() == '\t' ? (text.remove_prefix(1), true) : false);
}

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
    // Most cells start and end in a visible ASCII character: nothing to trim.
    const auto visible = [](char c) { return c > ' ' && c < 0x7F; };
    if (!text.empty() && visible(text.front()) && visible(text.back())) return text;
    while (ConsumeSpace(text)) {
    }
    while (!text.empty()) {
        bool trimmed = false;
        for (std::string_view space : kGroupSpaces)
            if (text.size() >= space.size() && text.substr(text.size() - space.size()) == space) {
                text.remove_suffix(space.size());
                trimmed = true;
                break;
            }
        if (!trimmed && (text.back() == '\t' || text.back() == '\r' || text.back() == '\n')) {
            text.remove_suffix(1);
            trimmed = true;
        }
        if (!trimmed) break;
    }
    return text;
}

std::optional<double> ReadSpreadsheetNumber(std::string_view text, bool commaGroups) {
    // Most cells are plain ("-12.5", "108"): read them at once. Where such a
    // cell is a number, the long way below reads exactly it.
    const std::size_t signLength = !text.empty() && text.front() == '-' ? 1 : 0;
    if (text.size() > signLength && (IsDigit(text[signLength]) || text[signLength] == '.') &&
        text.find_first_not_of("0123456789.eE+-") == std::string_view::npos) {
        double value = 0.0;
        const char* end = text.data() + text.size();
        if (const auto [ptr, error] = ReadDouble(text.data(), end, value);
            error == std::errc() && ptr == end && std::isfinite(value))
            return value;
    }
    text = TrimSpaces(text);
    std::string out;
    for (std::string_view minus : kMinusSigns)
        if (Consume(text, minus)) {
            out += '-';
            break;
        }
    if (out.empty()) Consume(text, "+");
    // Digits of the whole part, in groups of three after the first where
    // spaces separate them.
    std::size_t group = DigitRun(text, 0);
    out.append(text.substr(0, group));
    text.remove_prefix(group);
    const auto groupSeparator = [commaGroups](std::string_view& rest) {
        return ConsumeSpace(rest) || (commaGroups && Consume(rest, ","));
    };
    for (std::string_view rest = text; group > 0 && group <= 3 && groupSeparator(rest);) {
        if (DigitRun(rest, 0) != 3) break;
        out.append(rest.substr(0, 3));
        rest.remove_prefix(3);
        text = rest;
    }
    std::size_t digits = group;
    if (!text.empty() && (text.front() == '.' || (text.front() == ',' && !commaGroups))) {
        const std::size_t fraction = DigitRun(text, 1);
        out += '.';
        out.append(text.substr(1, fraction));
        text.remove_prefix(1 + fraction);
        digits += fraction;
    }
    if (digits == 0) return std::nullopt;
    if (!text.empty() && (text.front() == 'e' || text.front() == 'E')) {
        std::string_view exponent = text.substr(1);
        std::string sign;
        if (Consume(exponent, "+"))
            sign = "+";
        else if (Consume(exponent, "-"))
            sign = "-";
        const std::size_t run = DigitRun(exponent, 0);
        if (run == 0) return std::nullopt;
        out += 'e' + sign + std::string(exponent.substr(0, run));
        text = exponent.substr(run);
    }
    if (!text.empty()) return std::nullopt;
    return ParseWholeNumber(out);
}

std::string SwapFirstPoint(std::string_view text) { return ReplaceFirst(text, '.', ','); }

char* WriteShortest(char* buffer, double value) {
#if defined(__cpp_lib_to_chars)
    const auto [end, error] = std::to_chars(buffer, buffer + kShortestTextRoom, value);
    return error == std::errc() ? end : buffer;
#else
    // The browser build's library has no floating-point to_chars: the fewest
    // significant digits that read back, from printf, laid out as to_chars
    // lays them out.
    char* out = buffer;
    if (std::signbit(value)) *out++ = '-';
    value = std::fabs(value);
    char scientific[40];
    for (int precision = 0;; ++precision) {
        std::snprintf(scientific, sizeof scientific, "%.*e", precision, value);
        if (precision >= 16 || std::strtod(scientific, nullptr) == value) break;
    }
    // "d.ddde±XX": the digits without the point, and the exponent.
    const std::string_view text(scientific);
    const std::size_t e = text.find('e');
    std::string digits(text.substr(0, std::min<std::size_t>(1, e)));
    if (e > 2) digits += text.substr(2, e - 2);
    const int exponent = std::atoi(scientific + e + 1);
    std::string fixed;
    const int count = static_cast<int>(digits.size());
    if (exponent < 0) {
        fixed = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (exponent + 1 >= count) {
        fixed = digits + std::string(static_cast<std::size_t>(exponent + 1 - count), '0');
    } else {
        fixed = digits.substr(0, static_cast<std::size_t>(exponent) + 1) + "." +
                digits.substr(static_cast<std::size_t>(exponent) + 1);
    }
    const std::string shorter = fixed.size() <= text.size() ? fixed : std::string(text);
    return std::copy(shorter.begin(), shorter.end(), out);
#endif
}

std::string FormatFixed(double value, int width, int decimals) {
    // Fixed notation of the largest double needs 309 digits before the point.
    char buffer[400];
#if defined(__cpp_lib_to_chars)
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text = error == std::errc() ? std::string(buffer, end) : std::string("0");
#else
    // The browser build's library: printf rounds as exactly, in the C locale.
    const int length = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = length > 0 && length < static_cast<int>(sizeof buffer)
                           ? std::string(buffer, static_cast<std::size_t>(length))
                           : std::string("0");
#endif
    if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::string FormatShown(double value, int width, int decimals) {
    return SwapFirstPoint(FormatFixed(value, width, decimals));
}

std::string FormatWithRecord(const std::string& record, double value) {
    // Records are built by SlotFormat only: "%" W "." P "f".
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
