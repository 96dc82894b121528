// Reading and writing tables as spreadsheets save them: CSV in the dialect
// of the file (separator, decimal comma, byte-order mark), row by row, and an
// Excel workbook.
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kaldora::cli {

using Row = std::vector<std::string>;

// How the file's bytes are text: UTF-8, or what Russian spreadsheets also
// save, Windows-1251 ("CSV") and UTF-16 with its mark ("Текст Юникод").
enum class Encoding { Utf8, Windows1251, Utf16LE, Utf16BE };

struct Dialect {
    char separator = ',';
    bool decimalComma = false;  // a ";" table comes from a spreadsheet with decimal commas
    bool byteOrderMark = false;
    bool crlf = false;  // lines end in CR LF
    Encoding encoding = Encoding::Utf8;
};

// The separator is the first of ";", tab and "," that stands outside quotes
// in the header line.
Dialect DetectDialect(std::string_view start);

// Reads `in` and hands each row to `onRow`, the header first, as UTF-8; rows
// of empty cells are skipped. `dialect` is set from the first bytes, before
// the first row is handed on: a UTF-16 byte-order mark means UTF-16, a start
// that is not UTF-8 means Windows-1251. Memory does not grow with the table. Throws
// ArgumentError when the input cannot be read, or what `onRow` threw.
void ReadRows(std::FILE* in, Dialect& dialect, const std::function<void(const Row&)>& onRow);

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
