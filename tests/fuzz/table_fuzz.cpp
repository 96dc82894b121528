// Any bytes as a table of pipe sections: the reader, the header, the rows and
// the CSV writer must neither crash nor trip a sanitizer.
#include <cstdint>
#include <cstdio>

#include "cli/errors.h"
#include "cli/table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::FILE* const sink = std::fopen("/dev/null", "wb");
    if (size == 0) return 0;  // fmemopen takes no empty buffer
    std::FILE* in = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!in) return 0;
    try {
        kaldora::cli::RunTable({in, sink, {}, nullptr});
    } catch (const kaldora::cli::ArgumentError&) {
        // An unusable header is refused; that is an answer.
    }
    std::fclose(in);
    return 0;
}
