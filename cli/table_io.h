// Reading and writing tables as spreadsheets save them: CSV in the dialect
// of the file (separator, decimal comma, encoding), row by row, and Excel
// workbooks.
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/text_encoding.h"

namespace kaldora::cli {

using Row = std::vector<std::string>;

struct Dialect {
    char separator = ',';
    bool decimalComma = false;  // a ";" table comes from a spreadsheet with decimal commas
    bool byteOrderMark = false;
    bool crlf = false;  // lines end in CR LF
    Encoding encoding = Encoding::Utf8;
    // Commas separate the cells of a CSV table: a comma in a number can only
    // group its digits.
    bool commaGroups = false;
};

// The separator is the first of ";", tab and "," that stands outside quotes
// in the header line.
Dialect DetectDialect(std::string_view start);

// What kept a row from being read whole; its cells are then those read
// before it.
enum class RowFault { None, UnterminatedQuote, TooManyFields, CellTooLong, RowTooLong };
constexpr std::size_t kMostFields = 1000;
constexpr std::size_t kMostCellBytes = 1 << 20;
constexpr std::size_t kMostRowBytes = 4 << 20;

// A workbook cell whose value the file does not hold as a value: its text
// in the row is empty, or the error's text.
enum class CellFault { FormulaWithoutValue, ErrorValue, MissingString, Date };

struct ReadRow {
    Row cells;
    std::size_t quoteLine = 0;  // for a quote left open: the line it opened on
    RowFault fault = RowFault::None;
    std::vector<std::pair<std::size_t, CellFault>> cellFaults;  // by column
};
using RowHandler = std::function<void(const ReadRow&)>;
// A line for standard error about the whole table (which sheet was read).
using NoteHandler = std::function<void(const std::string&)>;

// Reads `in`, a CSV table or an Excel workbook (told by its content), and
// hands each row to `onRow` as UTF-8, the header first; rows of empty cells
// are skipped. `dialect` is set before the first row is handed on: for CSV
// from its first bytes (a UTF-16 byte-order mark means UTF-16, a start that
// is not UTF-8 means Windows-1251), for a workbook the English one; of a
// workbook the sheet a person sees when it opens. Memory and work do not grow
// faster than the table. Throws ReadError when the input is no table it can
// read (saying what it seems to be), ArgumentError when the table is damaged,
// or what `onRow` threw.
void ReadRows(std::FILE* in, Dialect& dialect, const RowHandler& onRow, const NoteHandler& note);

// The two readers behind it; `start` holds the bytes already read from `in`.
void ReadCsvRows(std::FILE* in, std::string_view start, Dialect& dialect, const RowHandler& onRow);
void ReadWorkbookRows(std::FILE* in, std::string_view start, const RowHandler& onRow, const NoteHandler& note);

// One cell of an output row: an input cell as given, a result number or a
// result text.
struct OutCell {
    enum class Kind { Input, Number, Text } kind;
    std::string_view text;
    double number = 0.0;
};

// What a writer needs to know of each column: its title and, for a
// workbook, how numbers in it are shown.
struct OutColumn {
    std::string title;
    bool textOnly;  // never turned into a number (section, messages, errors)
    int decimals;   // -1: as typed
};

class TableWriter {
public:
    virtual ~TableWriter() = default;
    virtual void WriteRow(const std::vector<OutCell>& cells) = 0;
    // The closing row of sums; a workbook makes it bold SUM formulas.
    virtual void WriteTotals(const std::vector<OutCell>& cells) { WriteRow(cells); }
    // Throws ArgumentError when the output cannot be completed.
    virtual void Finish() = 0;
};

std::unique_ptr<TableWriter> MakeCsvWriter(std::FILE* out, const Dialect& dialect,
                                           const std::vector<OutColumn>& columns);
// The sheet is named "Расчет" for a table with Russian titles, else "Results".
std::unique_ptr<TableWriter> MakeWorkbookWriter(const std::string& path, const std::vector<OutColumn>& columns,
                                                bool russian);

}  // namespace kaldora::cli
