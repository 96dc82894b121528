#include "cli/table_io.h"

#include <csv.h>
#include <fcntl.h>
#include <iconv.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <exception>

#include "cli/errors.h"
#include "cli/output.h"
#include "model/number_text.h"

namespace kaldora::cli {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

const char* IconvName(Encoding encoding) {
    switch (encoding) {
        case Encoding::Windows1251: return "WINDOWS-1251";
        case Encoding::Utf16LE: return "UTF-16LE";
        case Encoding::Utf16BE: return "UTF-16BE";
        case Encoding::Utf8: break;
    }
    return "UTF-8";
}

// Text from one encoding to another in pieces (glibc iconv): a sequence cut
// at a piece's end waits for the next piece; a byte that cannot be converted
// becomes `replacement`.
class Transcoder {
public:
    Transcoder(const char* to, const char* from, std::string_view replacement)
        : cd_(iconv_open(to, from)), replacement_(replacement) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw ArgumentError{std::string("cannot convert ") + from + " to " + to};
    }
    ~Transcoder() { iconv_close(cd_); }
    Transcoder(const Transcoder&) = delete;
    Transcoder& operator=(const Transcoder&) = delete;

    void Convert(std::string_view in, std::string& out) {
        pending_.append(in);
        char* source = pending_.data();
        std::size_t left = pending_.size();
        char buffer[4096];
        while (left > 0) {
            char* target = buffer;
            std::size_t room = sizeof buffer;
            const std::size_t done = iconv(cd_, &source, &left, &target, &room);
            out.append(buffer, static_cast<std::size_t>(target - buffer));
            if (done != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
            if (errno == EINVAL) break;  // cut at the end: the rest comes with the next piece
            out += replacement_;  // EILSEQ
            ++source;
            --left;
        }
        pending_.erase(0, pending_.size() - left);
    }

private:
    iconv_t cd_;
    std::string replacement_;
    std::string pending_;
};

// The characters of our texts that Windows-1251 lacks, as its own letters.
void SpellForWindows1251(std::string& line) {
    static constexpr std::pair<std::string_view, std::string_view> kSpellings[] = {
        {"\xC2\xB3", "3"}, {"\xC2\xB2", "2"}, {"\xE2\x88\x92", "-"}, {"\xE2\x89\xA4", "<="}};
    for (const auto& [from, to] : kSpellings)
        for (std::size_t at = line.find(from); at != std::string::npos; at = line.find(from, at + to.size()))
            line.replace(at, from.size(), to);
}

// The length of the UTF-8 sequence `text` starts with; 0 where it is none.
std::size_t Utf8Length(std::string_view text) {
    const auto c = static_cast<unsigned char>(text[0]);
    const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80) return 0;
    return length;
}

// Whether `text` is UTF-8, allowing a sequence cut at its very end.
bool LooksLikeUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (length == 0) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if (i + k >= text.size()) return true;
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

int KeepBlanks(unsigned char) { return 0; }

// libcsv calls back from C: nothing may unwind through it, so what the row
// handler throws is kept and thrown again once the parser has returned.
struct ReadState {
    const std::function<void(const Row&)>* onRow;
    Row row;
    std::size_t fields = 0;
    std::exception_ptr failure;
};

void OnField(void* data, std::size_t size, void* context) {
    auto* s = static_cast<ReadState*>(context);
    if (s->failure) return;
    if (s->fields == s->row.size()) s->row.emplace_back();
    s->row[s->fields++].assign(static_cast<const char*>(data), size);
}

void OnRowEnd(int, void* context) {
    auto* s = static_cast<ReadState*>(context);
    if (s->failure) return;
    s->row.resize(s->fields);
    s->fields = 0;
    const bool blank = std::all_of(s->row.begin(), s->row.end(), [](const auto& f) { return f.empty(); });
    if (blank) return;
    try {
        (*s->onRow)(s->row);
    } catch (...) {
        s->failure = std::current_exception();
    }
}

}  // namespace

Dialect DetectDialect(std::string_view start) {
    Dialect d;
    if (start.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        d.byteOrderMark = true;
        start.remove_prefix(kByteOrderMark.size());
    }
    bool quoted = false, semicolon = false, tab = false;
    for (const char c : start) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || c == '\r') {
            d.crlf = c == '\r';
            break;
        }
        semicolon = semicolon || c == ';';
        tab = tab || c == '\t';
    }
    d.separator = semicolon ? ';' : tab ? '\t' : ',';
    d.decimalComma = d.separator == ';';
    return d;
}

void ReadRows(std::FILE* in, Dialect& dialect, const std::function<void(const Row&)>& onRow) {
    csv_parser parser;
    if (csv_init(&parser, 0) != 0) throw ArgumentError{"cannot start the CSV reader"};
    // Blanks are part of a field: a single blank is a real diameter item.
    csv_set_space_func(&parser, KeepBlanks);
    // The reader grows a field's buffer by one block at a time; small blocks
    // make a cell of megabytes cost quadratic copying.
    csv_set_blk_size(&parser, 1 << 20);
    ReadState state{&onRow, {}, 0, nullptr};

    std::vector<char> buffer(1 << 16);
    bool first = true;
    std::size_t got;
    std::optional<Transcoder> decoder;
    std::string decoded;
    while (!state.failure && (got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0) {
        std::string_view chunk(buffer.data(), got);
        if (first) {
            Encoding encoding = Encoding::Utf8;
            if (chunk.substr(0, 2) == kUtf16LEMark || chunk.substr(0, 2) == kUtf16BEMark) {
                encoding = chunk.substr(0, 2) == kUtf16LEMark ? Encoding::Utf16LE : Encoding::Utf16BE;
                chunk.remove_prefix(2);
            } else if (!LooksLikeUtf8(chunk)) {
                encoding = Encoding::Windows1251;
            }
            if (encoding != Encoding::Utf8) decoder.emplace("UTF-8", IconvName(encoding), "\xEF\xBF\xBD");
            if (decoder) {
                decoded.clear();
                decoder->Convert(chunk, decoded);
                chunk = decoded;
            }
            dialect = DetectDialect(chunk);
            dialect.encoding = encoding;
            dialect.byteOrderMark = dialect.byteOrderMark || encoding == Encoding::Utf16LE ||
                                    encoding == Encoding::Utf16BE;
            csv_set_delim(&parser, static_cast<unsigned char>(dialect.separator));
            if (chunk.substr(0, kByteOrderMark.size()) == kByteOrderMark) chunk.remove_prefix(kByteOrderMark.size());
            first = false;
        } else if (decoder) {
            decoded.clear();
            decoder->Convert(chunk, decoded);
            chunk = decoded;
        }
        if (csv_parse(&parser, chunk.data(), chunk.size(), OnField, OnRowEnd, &state) != chunk.size()) {
            const std::string problem = csv_strerror(csv_error(&parser));
            csv_free(&parser);
            throw ArgumentError{"the table cannot be read: " + problem};
        }
    }
    if (!state.failure) csv_fini(&parser, OnField, OnRowEnd, &state);
    csv_free(&parser);
    if (state.failure) std::rethrow_exception(state.failure);
}

namespace {

// The shortest text that reads back to the same double, with the dialect's
// decimal sign.
void AppendNumber(std::string& line, double value, bool decimalComma) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    const std::size_t start = line.size();
    line.append(buffer, error == std::errc() ? end : buffer);
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
            encoder_.emplace(dialect_.encoding == Encoding::Windows1251 ? "WINDOWS-1251//TRANSLIT"
                                                                         : IconvName(dialect_.encoding),
                             "UTF-8", "?");
        if (dialect_.encoding == Encoding::Utf16LE) std::fwrite(kUtf16LEMark.data(), 1, kUtf16LEMark.size(), out_);
        else if (dialect_.encoding == Encoding::Utf16BE) std::fwrite(kUtf16BEMark.data(), 1, kUtf16BEMark.size(), out_);
        else if (dialect_.byteOrderMark) std::fwrite(kByteOrderMark.data(), 1, kByteOrderMark.size(), out_);
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
            return;
        }
        std::fwrite(line_.data(), 1, line_.size(), out_);
    }

    void Finish() override {
        if (std::fflush(out_) != 0 || std::ferror(out_)) throw WriteError{"standard output", std::strerror(errno)};
    }

private:
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

// Numbers as numbers, text as text, a bold frozen header and columns as wide
// as their longest text. Rows go to disk as they come (constant memory).
class WorkbookWriter : public TableWriter {
public:
    WorkbookWriter(const std::string& path, const std::vector<OutColumn>& columns, bool russian)
        : path_(path), columns_(columns), widths_(columns.size(), 0) {
        // The library opens the file only when it closes the workbook: a
        // path that cannot be written is found now, before any row.
        if (std::FILE* probe = std::fopen(path.c_str(), "wb"))
            std::fclose(probe);
        else
            throw WriteError{path, std::strerror(errno)};
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        book_ = workbook_new_opt(path.c_str(), &options);
        if (!book_) throw WriteError{path, "the workbook cannot be started"};
        sheet_ = workbook_add_worksheet(book_, russian ? "Расчет" : "Results");
        bold_ = workbook_add_format(book_);
        format_set_bold(bold_);
        lxw_format* bold = workbook_add_format(book_);
        format_set_bold(bold);
        format_set_text_wrap(bold);
        format_set_align(bold, LXW_ALIGN_VERTICAL_TOP);
        for (const OutColumn& c : columns_) {
            lxw_format* format = nullptr;
            if (c.decimals >= 0) {
                format = workbook_add_format(book_);
                format_set_num_format(format, c.decimals == 0 ? "0" : ("0." + std::string(c.decimals, '0')).c_str());
            }
            formats_.push_back(format);
            lxw_format* total = workbook_add_format(book_);
            format_set_bold(total);
            if (c.decimals >= 0)
                format_set_num_format(total, c.decimals == 0 ? "0" : ("0." + std::string(c.decimals, '0')).c_str());
            totalFormats_.push_back(total);
        }
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            worksheet_write_string(sheet_, 0, Col(i), Clipped(columns_[i].title).c_str(), bold);
            Widen(i, std::min<std::size_t>(CountCharacters(columns_[i].title), kHeaderWidth));
        }
        worksheet_freeze_panes(sheet_, 1, 0);
    }

    ~WorkbookWriter() override {
        if (book_) CloseQuietly(book_);
    }

    void WriteRow(const std::vector<OutCell>& cells) override {
        if (row_ >= LXW_ROW_MAX) {
            dropped_ = true;
            return;
        }
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const OutCell& cell = cells[i];
            if (cell.kind == OutCell::Kind::Number) {
                if (!std::isfinite(cell.number)) continue;  // a workbook has no such number
                worksheet_write_number(sheet_, row_, Col(i), cell.number, formats_[i]);
                Widen(i, ShortestNumber(cell.number).size());
                continue;
            }
            if (cell.text.empty()) continue;
            const std::optional<double> number =
                cell.kind == OutCell::Kind::Input && !columns_[i].textOnly ? ParseWholeNumber(cell.text) : std::nullopt;
            if (number)
                worksheet_write_number(sheet_, row_, Col(i), *number, nullptr);
            else
                worksheet_write_string(sheet_, row_, Col(i), Clipped(cell.text).c_str(), nullptr);
            Widen(i, CountCharacters(cell.text));
        }
        ++row_;
    }

    // Sums as formulas over the rows above, their values cached for readers
    // that do not calculate; the row bold.
    void WriteTotals(const std::vector<OutCell>& cells) override {
        if (row_ >= LXW_ROW_MAX) return WriteRow(cells);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const OutCell& cell = cells[i];
            if (cell.kind == OutCell::Kind::Number && std::isfinite(cell.number) && row_ > 1) {
                char range[32];
                lxw_rowcol_to_range(range, 1, Col(i), row_ - 1, Col(i));
                worksheet_write_formula_num(sheet_, row_, Col(i), ("=SUM(" + std::string(range) + ")").c_str(),
                                            totalFormats_[i], cell.number);
            } else if (!cell.text.empty()) {
                worksheet_write_string(sheet_, row_, Col(i), Clipped(cell.text).c_str(), bold_);
            }
        }
        ++row_;
    }

    void Finish() override {
        for (std::size_t i = 0; i < columns_.size(); ++i)
            worksheet_set_column(sheet_, Col(i), Col(i), std::min<double>(widths_[i] + 2.0, 60.0), nullptr);
        errno = 0;
        const lxw_error error = CloseQuietly(book_);
        book_ = nullptr;
        if (error != LXW_NO_ERROR) throw WriteError{path_, errno != 0 ? std::strerror(errno) : lxw_strerror(error)};
        if (dropped_)
            throw ArgumentError{"the workbook " + path_ + " holds only the first " +
                                std::to_string(LXW_ROW_MAX - 1) + " rows, the most a sheet can"};
    }

private:
    static constexpr std::size_t kHeaderWidth = 24;  // longer titles wrap
    static constexpr std::size_t kMostCellBytes = 32767;

    static lxw_col_t Col(std::size_t i) { return static_cast<lxw_col_t>(i); }

    // A cell holds at most 32767 characters of valid UTF-8: longer text is
    // cut at a character boundary, bytes that are no UTF-8 become U+FFFD.
    static std::string Clipped(std::string_view text) {
        std::string valid;
        for (std::size_t i = 0; i < text.size() && valid.size() < kMostCellBytes;) {
            const std::size_t length = Utf8Length(text.substr(i));
            if (length == 0) {
                valid += "\xEF\xBF\xBD";
                ++i;
                continue;
            }
            if (valid.size() + length > kMostCellBytes) break;
            valid.append(text.substr(i, length));
            i += length;
        }
        return valid;
    }

    void Widen(std::size_t column, std::size_t chars) {
        widths_[column] = std::max(widths_[column], chars);
    }

    std::string path_;
    std::vector<OutColumn> columns_;
    std::vector<std::size_t> widths_;
    std::vector<lxw_format*> formats_;
    std::vector<lxw_format*> totalFormats_;
    lxw_format* bold_ = nullptr;
    lxw_workbook* book_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_row_t row_ = 1;
    bool dropped_ = false;
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
