// The zlib level of the deflate streams that libraries open. libxlsxwriter
// deflates every part of a workbook at zlib's default level and has no
// setting for it; on a table of many rows that is most of the writing time.
#pragma once

namespace kaldora::cli {

// While one lives, a deflate stream opened through deflateInit2_ (as the
// workbook's zip writer opens them) starts at level 1: a workbook about a
// third larger, written in about half the time.
class FastDeflate {
public:
    FastDeflate();
    ~FastDeflate();
    FastDeflate(const FastDeflate&) = delete;
    FastDeflate& operator=(const FastDeflate&) = delete;
};

}  // namespace kaldora::cli
