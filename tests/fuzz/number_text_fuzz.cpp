// Any text as a typed number: it reads as a finite number, and that number
// formats and reads back without a fault.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "model/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = kaldora::ParsePointNumber(kaldora::SwapFirstComma(text));
    if (!std::isfinite(value)) __builtin_trap();
    const std::string shown = kaldora::FormatShown(value, 3, static_cast<int>(size % 8));
    if (kaldora::CountCharacters(shown) > 400) __builtin_trap();
    if (const auto whole = kaldora::ParseWholeNumber(text); whole && !std::isfinite(*whole)) __builtin_trap();
    return 0;
}
