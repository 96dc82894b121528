// The columns of a table of pipe sections: what each input column feeds, by
// its English name, its Russian title or as slotN, and the result columns.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/table_io.h"
#include "engine/case_run.h"
#include "model/calc_data.h"

namespace kaldora::cli {

// Result: a column of an earlier run's results, read past and computed anew.
enum class Field { Section, Type, Indoors, Metal, LongHours, Norm, Supports, Region, Slot, Diameter, Length, Result };

struct InputColumn {
    std::string_view english;
    std::string_view russian;
    Field field;
    int slot;  // for Field::Slot
};
extern const std::array<InputColumn, 24> kInputColumns;

enum class Titles { English, Russian };

enum class ResultKind { Number, Text };
struct ResultColumn {
    std::string_view english;
    std::string_view russian;
    ResultKind kind;
    int decimals;  // shown in a workbook
    bool summed;   // the totals row adds it up
};

// What the header says: the field of each column, the language of the
// titles and the result columns that follow the input ones.
struct TableLayout {
    struct Column {
        Field field;
        int slot;
    };
    std::vector<Column> columns;
    std::vector<std::size_t> inputs;  // the columns that go out again: all but results
    Titles titles = Titles::English;
    std::optional<std::size_t> sectionColumn;  // among `inputs`
    std::vector<const ResultColumn*> results;
    bool hasLength = false;
    bool commaGroups = false;  // a comma in a number only groups digits
};

// Throws ArgumentError naming the column that is unknown, empty or a second
// one for the same field, or when there is no type column.
TableLayout ReadHeader(const std::vector<std::string>& header);

// One row as a case, into `c` (reused from row to row); the row's problem,
// or empty when it can be computed.
struct TableCase {
    CaseInput input;                             // the type and options; no typed texts
    std::vector<std::pair<int, double>> values;  // read from the cells, held as the calculation holds them
    std::optional<double> lengthM;

    // The case to calculate: the type's initial input with the row's options and numbers.
    CalcInput Input() const;
};
std::string ReadCase(const TableLayout& layout, const std::vector<std::string>& row,
                     const std::vector<std::pair<std::size_t, CellFault>>& faults, TableCase& c);

// The closing row of sums of an earlier run, which is no case.
bool IsTotalsRow(const TableLayout& layout, const std::vector<std::string>& row);

// Empty, or the line that says which fields of `types` no column gives and
// so keep their initial texts.
// `computed[t]`: a row of type t was computed.
std::string InitialTextsNote(const TableLayout& layout, const std::array<bool, kTypeCount>& computed);

// A result cell of a computed row; empty where the row has no such value.
struct ResultCell {
    std::optional<double> number;
    std::string text;
};
void ResultCells(const TableLayout& layout, const CaseResult& result, const std::optional<double>& lengthM,
                 std::vector<ResultCell>& cells);

// The totals row's result cells: the sums, where they are finite numbers.
void TotalCells(const TableLayout& layout, const std::vector<double>& sums, std::vector<ResultCell>& cells);

// Result cells of a row that could not be computed: the error only.
void ErrorCells(const TableLayout& layout, const std::string& error, std::vector<ResultCell>& cells);

std::string_view TitleOf(const InputColumn& column, Titles titles);
std::string_view TitleOf(const ResultColumn& column, Titles titles);

// Where the totals go: the section column, or the first.
std::string_view TotalsCaption(Titles titles);

}  // namespace kaldora::cli
