#include "cli/table.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "cli/errors.h"
#include "cli/table_io.h"
#include "model/number_text.h"

namespace kaldora::cli {

namespace {

constexpr std::size_t kProgressEvery = 10000;

// A line about the whole table on standard error, where the run wants them.
void Note(std::FILE* notes, const std::string& line) {
    if (notes) std::fprintf(notes, "kaldora-calc: %s\n", line.c_str());
}

// Why a row could not be read whole, in the table's language.
std::string FaultText(const ReadRow& row, Titles titles) {
    const bool russian = titles == Titles::Russian;
    switch (row.fault) {
        case RowFault::UnterminatedQuote:
            return russian ? "кавычка, открытая в строке " + std::to_string(row.quoteLine) + ", не закрыта"
                           : "the quote opened on line " + std::to_string(row.quoteLine) + " is not closed";
        case RowFault::TooManyFields:
            return russian ? "в строке больше " + std::to_string(kMostFields) + " ячеек"
                           : "the row has more than " + std::to_string(kMostFields) + " cells";
        case RowFault::CellTooLong: return russian ? "ячейка длиннее 1 МБ" : "a cell is longer than 1 MB";
        case RowFault::RowTooLong: return russian ? "строка длиннее 4 МБ" : "the row is longer than 4 MB";
        case RowFault::None: break;
    }
    return {};
}

std::vector<OutColumn> OutputColumns(const Row& header, const TableLayout& layout) {
    std::vector<OutColumn> columns;
    for (const std::size_t i : layout.inputs)
        columns.push_back({header[i], layout.columns[i].field == Field::Section, -1});
    for (const ResultColumn* r : layout.results)
        columns.push_back({std::string(TitleOf(*r, layout.titles)), r->kind == ResultKind::Text,
                           r->kind == ResultKind::Number ? r->decimals : -1});
    return columns;
}

// Everything after the header: one case a row, written as it is computed.
class RowRunner {
public:
    RowRunner(const TableRun& run, const Dialect& dialect, const Row& header)
        : run_(run), layout_(ReadHeader(header)), sums_(layout_.results.size(), 0.0) {
        layout_.commaGroups = dialect.commaGroups;
        const std::vector<OutColumn> columns = OutputColumns(header, layout_);
        // A tab table with Russian titles comes from a Russian spreadsheet's
        // "Текст Юникод": its numbers have decimal commas, and so do ours.
        Dialect out = dialect;
        out.decimalComma = out.decimalComma || (out.separator == '\t' && layout_.titles == Titles::Russian);
        if (run.csvOut) writers_.push_back(MakeCsvWriter(run.csvOut, out, columns));
        if (!run.workbookPath.empty())
            writers_.push_back(MakeWorkbookWriter(run.workbookPath, columns, layout_.titles == Titles::Russian));
    }

    void Run(const ReadRow& read) {
        const Row& row = read.cells;
        if (read.fault == RowFault::None && IsTotalsRow(layout_, row)) return;  // an earlier run's sums
        ++counts_.rows;
        const std::size_t inputs = layout_.inputs.size();
        cells_.resize(inputs);
        for (std::size_t k = 0; k < inputs; ++k) {
            const std::size_t i = layout_.inputs[k];
            cells_[k] = {OutCell::Kind::Input, i < row.size() ? std::string_view(row[i]) : std::string_view()};
        }
        const std::string problem = read.fault != RowFault::None ? FaultText(read, layout_.titles)
                                                                 : ReadCase(layout_, row, read.cellFaults, case_);
        if (problem.empty()) {
            computed_[static_cast<std::size_t>(case_.input.type)] = true;
            ResultCells(layout_, RunCalculation(case_.Input()), case_.lengthM, results_);
        } else {
            ++counts_.errors;
            ErrorCells(layout_, problem, results_);
        }
        for (std::size_t i = 0; i < results_.size(); ++i)
            if (results_[i].number && layout_.results[i]->summed) sums_[i] += *results_[i].number;
        AppendResults();
        for (auto& w : writers_) w->WriteRow(cells_);
        if (run_.progress && counts_.rows % kProgressEvery == 0)
            std::fprintf(run_.progress, "\r%zu rows", counts_.rows);
    }

    TableCounts Finish() {
        if (layout_.hasLength) WriteTotals();
        for (auto& w : writers_) w->Finish();
        if (run_.progress && counts_.rows >= kProgressEvery) std::fprintf(run_.progress, "\r%zu rows\n", counts_.rows);
        if (const std::string note = InitialTextsNote(layout_, computed_); !note.empty()) Note(run_.notes, note);
        return counts_;
    }

private:
    // A closing row with the sums of the quantities, named in the section
    // column (or the first one when there is none).
    void WriteTotals() {
        cells_.assign(layout_.inputs.size(), {OutCell::Kind::Input, {}});
        cells_[layout_.sectionColumn.value_or(0)] = {OutCell::Kind::Text, TotalsCaption(layout_.titles)};
        TotalCells(layout_, sums_, results_);
        AppendResults();
        for (auto& w : writers_) w->WriteTotals(cells_);
    }

    // The result cells after the input ones.
    void AppendResults() {
        const std::size_t inputs = layout_.inputs.size();
        cells_.resize(inputs + results_.size());
        for (std::size_t i = 0; i < results_.size(); ++i) {
            const ResultCell& r = results_[i];
            cells_[inputs + i] =
                r.number ? OutCell{OutCell::Kind::Number, {}, *r.number} : OutCell{OutCell::Kind::Text, r.text};
        }
    }

    const TableRun& run_;
    TableLayout layout_;
    std::vector<double> sums_;
    std::vector<std::unique_ptr<TableWriter>> writers_;
    std::vector<OutCell> cells_;
    TableCase case_;
    std::array<bool, kTypeCount> computed_{};  // by type: a row was computed
    std::vector<ResultCell> results_;
    TableCounts counts_;
};

}  // namespace

TableCounts RunTable(const TableRun& run) {
    std::optional<RowRunner> runner;
    Dialect dialect;
    ReadRows(
        run.in, dialect,
        [&](const ReadRow& row) {
            if (runner) {
                runner->Run(row);
                return;
            }
            if (row.fault != RowFault::None) throw ArgumentError{"the header: " + FaultText(row, Titles::English)};
            // Empty header cells at the end are a spreadsheet's leftovers.
            Row header = row.cells;
            while (!header.empty() && TrimBlanks(header.back()).empty()) header.pop_back();
            runner.emplace(run, dialect, header);
        },
        [&](const std::string& line) { Note(run.notes, line); });
    if (!runner) throw ArgumentError{"the table is empty"};
    return runner->Finish();
}

void WriteTemplate(std::FILE* out, Titles titles) {
    Dialect dialect;
    if (titles == Titles::Russian) dialect = {';', true, true, true};
    std::vector<OutColumn> columns;
    for (const InputColumn& c : kInputColumns) columns.push_back({std::string(TitleOf(c, titles)), false, -1});
    MakeCsvWriter(out, dialect, columns)->Finish();
}

}  // namespace kaldora::cli
