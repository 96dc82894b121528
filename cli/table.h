// A table of pipe sections in, a table of results out, row by row.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "cli/table_columns.h"

namespace kaldora::cli {

struct TableRun {
    std::FILE* in = nullptr;
    std::FILE* csvOut = nullptr;  // nullptr: no CSV
    std::string workbookPath;     // empty: no workbook
    std::FILE* progress = nullptr;
    std::FILE* notes = nullptr;  // which sheet was read, which initial texts were used
};

struct TableCounts {
    std::size_t rows = 0;
    std::size_t errors = 0;  // rows that could not be computed
};

// Reads the cases, computes each from the start state and writes one result
// row per case, in the dialect of the input; a row that cannot be computed
// gets its error in its own row. Throws ArgumentError, before any row is
// computed, when the header is unusable.
TableCounts RunTable(const TableRun& run);

// An empty table with every input column, ready to fill: Russian titles in a
// Russian spreadsheet's dialect, or English names with commas.
void WriteTemplate(std::FILE* out, Titles titles);

}  // namespace kaldora::cli
