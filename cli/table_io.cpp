#include "cli/table_io.h"

#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <map>

#include "cli/deflate_level.h"
#include "cli/errors.h"
#include "cli/output.h"
#include "files/file_replacement.h"
#include "model/number_text.h"

namespace kaldora::cli {

namespace {

bool IsZip(std::string_view start) { return start.substr(0, 4) == std::string_view("PK\x03\x04", 4); }

// What a file that is no table seems to be, from its first bytes, and what
// to do with it; empty for a table.
std::string NoTable(std::string_view start) {
    if (start.substr(0, 8) == std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8))
        return "an Excel 97–2003 workbook (.xls): save it as .xlsx or CSV";
    // An OpenDocument file starts with its stored "mimetype" part.
    if (IsZip(start) && start.size() > 38 && start.substr(30, 8) == "mimetype" &&
        start.substr(38, 64).find("application/vnd.oasis.opendocument") != std::string_view::npos)
        return "an OpenDocument spreadsheet (.ods): save it as .xlsx or CSV";
    if (IsZip(start) || start.substr(0, 2) == kUtf16LEMark || start.substr(0, 2) == kUtf16BEMark) return {};
    // Text has no NUL bytes; UTF-16 without its mark has them in every other
    // byte wherever it writes Latin letters, digits and separators.
    std::size_t nuls[2] = {0, 0};
    for (std::size_t i = 0; i < start.size(); ++i)
        if (start[i] == '\0') ++nuls[i % 2];
    const std::size_t half = start.size() / 2;
    const std::size_t oneSide = std::max(nuls[0], nuls[1]);
    if ((nuls[0] == 0) != (nuls[1] == 0) && oneSide >= 4 && oneSide * 20 >= half)
        return "UTF-16 text without a byte-order mark: save it as UTF-8 or as Unicode text with its mark";
    if ((nuls[0] + nuls[1]) * 10 >= start.size() && start.size() > 0) return "binary data, not a table";
    return {};
}

}  // namespace

void ReadRows(std::FILE* in, Dialect& dialect, const RowHandler& onRow, const NoteHandler& note) {
    std::string start(1 << 16, '\0');
    start.resize(std::fread(start.data(), 1, start.size(), in));
    if (std::ferror(in)) throw ReadError{std::strerror(errno)};
    if (const std::string what = NoTable(start); !what.empty()) throw ReadError{what};
    if (IsZip(start)) {
        dialect = {};
        ReadWorkbookRows(in, start, onRow, note);
    } else {
        ReadCsvRows(in, start, dialect, onRow);
    }
}

namespace {

// glibc's iconv writes a letter Windows-1251 lacks as its nearest ones when
// asked to; the browser build's C library knows no such request.
#ifdef __GLIBC__
constexpr const char* kWindows1251Out = "WINDOWS-1251//TRANSLIT";
#else
constexpr const char* kWindows1251Out = "WINDOWS-1251";
#endif

// The shortest text that reads back to the same double, with the dialect's
// decimal sign.
void AppendNumber(std::string& line, double value, bool decimalComma) {
    char buffer[kShortestTextRoom];
    const std::size_t start = line.size();
    line.append(buffer, WriteShortest(buffer, value));
    if (decimalComma)
        if (const auto point = line.find('.', start); point != std::string::npos) line[point] = ',';
}

class CsvWriter : public TableWriter {
public:
    CsvWriter(std::FILE* out, const Dialect& dialect, const std::vector<OutColumn>& columns)
        : out_(out), dialect_(dialect) {
        // Back in the encoding it came in; what Windows-1251 lacks (², ³, −)
        // is written as its nearest letters.
        if (dialect_.encoding != Encoding::Utf8)
            encoder_.emplace(
                dialect_.encoding == Encoding::Windows1251 ? kWindows1251Out : IconvName(dialect_.encoding), "UTF-8",
                "?");
        if (dialect_.encoding == Encoding::Utf16LE)
            std::fwrite(kUtf16LEMark.data(), 1, kUtf16LEMark.size(), out_);
        else if (dialect_.encoding == Encoding::Utf16BE)
            std::fwrite(kUtf16BEMark.data(), 1, kUtf16BEMark.size(), out_);
        else if (dialect_.byteOrderMark)
            std::fwrite(kUtf8Mark.data(), 1, kUtf8Mark.size(), out_);
        std::vector<OutCell> header;
        for (const OutColumn& c : columns) header.push_back({OutCell::Kind::Text, c.title});
        WriteRow(header);
    }

    void WriteRow(const std::vector<OutCell>& cells) override {
        line_.clear();
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) line_ += dialect_.separator;
            if (cells[i].kind == OutCell::Kind::Number)
                AppendNumber(line_, cells[i].number, dialect_.decimalComma);
            else
                AppendField(cells[i].text);
        }
        if (dialect_.crlf) line_ += '\r';
        line_ += '\n';
        if (encoder_) {
            if (dialect_.encoding == Encoding::Windows1251) SpellForWindows1251(line_);
            encoded_.clear();
            encoder_->Convert(line_, encoded_);
            std::fwrite(encoded_.data(), 1, encoded_.size(), out_);
        } else {
            std::fwrite(line_.data(), 1, line_.size(), out_);
        }
        // A write that failed when the buffer went out ends the run there,
        // not after every row is computed.
        if (std::ferror(out_)) Fail();
    }

    void Finish() override {
        if (std::fflush(out_) != 0 || std::ferror(out_)) Fail();
    }

private:
    [[noreturn]] static void Fail() { throw WriteError{"standard output", std::strerror(errno)}; }

    // Quoted only when it must be: the separator, a quote or a line break
    // inside, or blanks at an end that a spreadsheet would drop.
    void AppendField(std::string_view text) {
        bool quote = !text.empty() && (text.front() == ' ' || text.back() == ' ');
        for (std::size_t i = 0; i < text.size() && !quote; ++i) {
            const char c = text[i];
            quote = c == dialect_.separator || c == '"' || c == '\n' || c == '\r';
        }
        if (!quote) {
            line_ += text;
            return;
        }
        line_ += '"';
        for (const char c : text) {
            if (c == '"') line_ += '"';
            line_ += c;
        }
        line_ += '"';
    }

    std::FILE* out_;
    Dialect dialect_;
    std::string line_;
    std::optional<Transcoder> encoder_;
    std::string encoded_;
};

// The library prints its own diagnostics to standard error when it cannot
// write; kaldora-calc says what failed in its own line instead.
lxw_error CloseQuietly(lxw_workbook* book) {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    const lxw_error error = workbook_close(book);
    const int closeErrno = errno;
    std::fflush(stderr);
    if (saved >= 0) {
        dup2(saved, STDERR_FILENO);
        close(saved);
    }
    if (null >= 0) close(null);
    errno = closeErrno;
    return error;
}

// The number format of a column shown with `decimals` places.
std::string NumberFormat(int decimals) { return decimals == 0 ? "0" : "0." + std::string(decimals, '0'); }

// Numbers as numbers, text as text, a bold frozen header and columns as wide
// as their longest text. Rows go to disk as they come (constant memory); a
// table longer than a sheet goes on in the next one.
class WorkbookWriter : public TableWriter {
public:
    WorkbookWriter(const std::string& path, const std::vector<OutColumn>& columns, bool russian)
        : path_(path),
          file_(path),
          scratchFolder_(file_.Folder()),
          sheetName_(russian ? "Расчет" : "Results"),
          columns_(columns),
          widths_(columns.size(), 0) {
        // The workbook is made under a temporary name beside the target,
        // which is found unwritable now, before any row; the library's
        // scratch files go there too rather than to a small TMPDIR.
        if (file_.Error() != 0) throw WriteError{path, std::strerror(file_.Error())};
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = scratchFolder_.data();
        book_ = workbook_new_opt(file_.Path().c_str(), &options);
        if (!book_) throw WriteError{path, "the workbook cannot be started"};
        bold_ = workbook_add_format(book_);
        format_set_bold(bold_);
        header_ = workbook_add_format(book_);
        format_set_bold(header_);
        format_set_text_wrap(header_);
        format_set_align(header_, LXW_ALIGN_VERTICAL_TOP);
        // One format object for each look: the library looks a format up by
        // its properties on every cell unless it is the first of its kind.
        std::map<int, std::pair<lxw_format*, lxw_format*>> byDecimals;
        for (const OutColumn& c : columns_) {
            auto [it, fresh] = byDecimals.try_emplace(c.decimals);
            auto& [format, total] = it->second;
            if (fresh) {
                if (c.decimals >= 0) {
                    format = workbook_add_format(book_);
                    format_set_num_format(format, NumberFormat(c.decimals).c_str());
                }
                total = workbook_add_format(book_);
                format_set_bold(total);
                if (c.decimals >= 0) format_set_num_format(total, NumberFormat(c.decimals).c_str());
            }
            formats_.push_back(format);
            totalFormats_.push_back(total);
        }
        for (std::size_t i = 0; i < columns_.size(); ++i)
            Widen(i, std::min<std::size_t>(CountCharacters(columns_[i].title), kHeaderWidth));
        AddSheet();
    }

    ~WorkbookWriter() override {
        if (book_) CloseQuietly(book_);
    }

    void WriteRow(const std::vector<OutCell>& cells) override {
        if (row_ == LXW_ROW_MAX) AddSheet();
        char shortest[kShortestTextRoom];
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const OutCell& cell = cells[i];
            if (cell.kind == OutCell::Kind::Number) {
                if (!std::isfinite(cell.number)) continue;  // a workbook has no such number
                Check(worksheet_write_number(sheet_, row_, Col(i), cell.number, formats_[i]));
                Widen(i, static_cast<std::size_t>(WriteShortest(shortest, cell.number) - shortest));
                continue;
            }
            if (cell.text.empty()) continue;
            const std::optional<double> number =
                cell.kind == OutCell::Kind::Input && !columns_[i].textOnly ? ParseWholeNumber(cell.text) : std::nullopt;
            if (number)
                Check(worksheet_write_number(sheet_, row_, Col(i), *number, nullptr));
            else
                Check(worksheet_write_string(sheet_, row_, Col(i), Clipped(cell.text).c_str(), nullptr));
            Widen(i, CountCharacters(cell.text));
        }
        ++row_;
    }

    // Sums as formulas over the rows of every sheet, their values cached for
    // readers that do not calculate; the row bold.
    void WriteTotals(const std::vector<OutCell>& cells) override {
        if (row_ == LXW_ROW_MAX) AddSheet();
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const OutCell& cell = cells[i];
            if (cell.kind == OutCell::Kind::Number && std::isfinite(cell.number)) {
                if (const std::string formula = SumFormula(Col(i)); !formula.empty())
                    Check(worksheet_write_formula_num(sheet_, row_, Col(i), formula.c_str(), totalFormats_[i],
                                                      cell.number));
                else
                    Check(worksheet_write_number(sheet_, row_, Col(i), cell.number, totalFormats_[i]));
            } else if (!cell.text.empty()) {
                Check(worksheet_write_string(sheet_, row_, Col(i), Clipped(cell.text).c_str(), bold_));
            }
        }
        ++row_;
    }

    void Finish() override {
        for (lxw_worksheet* sheet : sheets_)
            for (std::size_t i = 0; i < columns_.size(); ++i)
                worksheet_set_column(sheet, Col(i), Col(i), std::min<double>(widths_[i] + 2.0, 60.0), nullptr);
        // The library does not check its writes to the sheets' scratch files;
        // a full folder shows there.
        for (lxw_worksheet* sheet : sheets_)
            if (sheet->optimize_tmpfile &&
                (std::fflush(sheet->optimize_tmpfile) != 0 || std::ferror(sheet->optimize_tmpfile)))
                throw WriteError{path_, std::strerror(errno)};
        errno = 0;
        const FastDeflate fast;
        const lxw_error error = CloseQuietly(book_);
        book_ = nullptr;
        if (error != LXW_NO_ERROR) throw WriteError{path_, errno != 0 ? std::strerror(errno) : lxw_strerror(error)};
        if (const int commit = file_.Commit()) throw WriteError{path_, std::strerror(commit)};
    }

private:
    static constexpr std::size_t kHeaderWidth = 24;  // longer titles wrap
    static constexpr std::size_t kSheetCellBytes = 32767;

    static lxw_col_t Col(std::size_t i) { return static_cast<lxw_col_t>(i); }

    void Check(lxw_error error) const {
        if (error != LXW_NO_ERROR) throw WriteError{path_, lxw_strerror(error)};
    }

    // A cell holds at most 32767 bytes.
    static std::string Clipped(std::string_view text) { return ValidUtf8(text, kSheetCellBytes); }

    // "Results", then "Results (2)", …: each with the header, frozen.
    void AddSheet() {
        const std::string name = SheetName(sheets_.size());
        sheet_ = workbook_add_worksheet(book_, name.c_str());
        if (!sheet_) throw WriteError{path_, "no sheet " + name + " can be added"};
        sheets_.push_back(sheet_);
        for (std::size_t i = 0; i < columns_.size(); ++i)
            worksheet_write_string(sheet_, 0, Col(i), Clipped(columns_[i].title).c_str(), header_);
        worksheet_freeze_panes(sheet_, 1, 0);
        row_ = 1;
    }

    // =SUM('Results'!B2:B1048576,B2:B9): the rows of every sheet so far;
    // empty when there are none.
    std::string SumFormula(lxw_col_t column) const {
        std::string formula = "=SUM(";
        for (std::size_t k = 0; k < sheets_.size(); ++k) {
            const bool current = k + 1 == sheets_.size();
            const lxw_row_t last = current ? row_ - 1 : LXW_ROW_MAX - 1;
            if (last < 1) continue;
            char range[32];
            lxw_rowcol_to_range(range, 1, column, last, column);
            if (formula.back() != '(') formula += ',';
            if (!current) formula.append("'").append(SheetName(k)).append("'!");
            formula += range;
        }
        return formula.back() == '(' ? std::string() : formula + ")";
    }

    std::string SheetName(std::size_t k) const {
        return k == 0 ? sheetName_ : sheetName_ + " (" + std::to_string(k + 1) + ")";
    }

    void Widen(std::size_t column, std::size_t chars) { widths_[column] = std::max(widths_[column], chars); }

    std::string path_;
    FileReplacement file_;
    std::string scratchFolder_;  // the library takes it as char*
    std::string sheetName_;
    std::vector<OutColumn> columns_;
    std::vector<std::size_t> widths_;
    std::vector<lxw_format*> formats_;
    std::vector<lxw_format*> totalFormats_;
    lxw_format* bold_ = nullptr;
    lxw_format* header_ = nullptr;
    lxw_workbook* book_ = nullptr;
    std::vector<lxw_worksheet*> sheets_;
    lxw_worksheet* sheet_ = nullptr;
    lxw_row_t row_ = 1;
};

}  // namespace

std::unique_ptr<TableWriter> MakeCsvWriter(std::FILE* out, const Dialect& dialect,
                                           const std::vector<OutColumn>& columns) {
    return std::make_unique<CsvWriter>(out, dialect, columns);
}

std::unique_ptr<TableWriter> MakeWorkbookWriter(const std::string& path, const std::vector<OutColumn>& columns,
                                                bool russian) {
    return std::make_unique<WorkbookWriter>(path, columns, russian);
}

}  // namespace kaldora::cli
