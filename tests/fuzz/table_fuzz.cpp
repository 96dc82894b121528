// Any bytes as a table of pipe sections, CSV or workbook: the readers, the
// header, the rows and both writers must neither crash nor trip a sanitizer.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "cli/errors.h"
#include "cli/table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::FILE* const sink = std::fopen("/dev/null", "wb");
    static const std::string book = "/tmp/kaldora-fuzz-" + std::to_string(getpid()) + ".xlsx";
    if (size == 0) return 0;  // fmemopen takes no empty buffer
    std::FILE* in = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!in) return 0;
    try {
        kaldora::cli::RunTable({in, sink, book, nullptr});
    } catch (const kaldora::cli::ArgumentError&) {
        // An unusable header is refused; that is an answer.
    } catch (const kaldora::cli::ReadError&) {
        // So is an input that cannot be read.
    } catch (const kaldora::cli::WriteError&) {
        // So is a workbook that cannot be written.
    }
    std::fclose(in);
    std::remove(book.c_str());
    return 0;
}
