// CSV tables through libcsv, strict about what it lets pass: a quote that
// never closes, rows too wide, cells too long.
#include <csv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <optional>
#include <utility>

#include "cli/errors.h"
#include "cli/table_io.h"

namespace kaldora::cli {

namespace {

int KeepBlanks(unsigned char) { return 0; }

// libcsv's parser state of a field begun (its struct is public, the names
// of its states are not).
constexpr int kFieldBegun = 2;

constexpr std::size_t kKeptCellRoom = 1 << 12;

class CsvRows {
public:
    CsvRows(char separator, const RowHandler& onRow) : separator_(separator), onRow_(onRow) { Start(); }
    ~CsvRows() { csv_free(&parser_); }
    CsvRows(const CsvRows&) = delete;
    CsvRows& operator=(const CsvRows&) = delete;

    // Decoded text, cut anywhere.
    void Feed(std::string_view text) {
        // Without a quote, in the field being read or in the text, no line
        // can need reading again: the text goes to the parser whole.
        if (!quoteLine_ && !parser_.quoted && text.find('"') == std::string_view::npos) {
            Parse(text);
            line_ += CountLineEnds(text);
            if (failure_) std::rethrow_exception(failure_);
            return;
        }
        std::string replay;
        while (!text.empty() && !failure_) {
            const std::size_t end = LineEnd(text);
            const std::string_view piece = text.substr(0, end == std::string_view::npos ? text.size() : end + 1);
            text.remove_prefix(piece.size());
            Parse(piece);
            if (quoteLine_) afterQuote_.append(piece);
            if (end != std::string_view::npos) LineEnded();
            // A quoted cell over the limit is a quote left open: the lines
            // after it are rows again.
            if (quoteLine_ && afterQuote_.size() > kMostCellBytes) {
                std::string again = GiveUpQuote();
                again.append(text);
                replay = std::move(again);
                text = replay;
            }
        }
        if (failure_) std::rethrow_exception(failure_);
    }

    void Finish() {
        while (QuoteOpen()) {
            if (!quoteLine_) quoteLine_ = line_;
            const std::string again = GiveUpQuote();
            Feed(again);
        }
        if (!failure_) csv_fini(&parser_, OnField, OnRowEnd, this);
        if (failure_) std::rethrow_exception(failure_);
    }

private:
    // Lines end in LF, CR LF or a lone CR (as old spreadsheets for the Mac
    // save); a CR at the end of one piece of text and an LF at the start of
    // the next are one line end.
    std::size_t LineEnd(std::string_view text) {
        std::size_t at = 0;
        if (afterCR_ && !text.empty()) {
            if (text.front() == '\n') at = 1;  // the LF of a CR LF already counted
            afterCR_ = false;
        }
        // A plain scan: find_first_of looks each character up in the set.
        const auto found = std::find_if(text.begin() + static_cast<std::ptrdiff_t>(at), text.end(),
                                        [](char c) { return c == '\r' || c == '\n'; });
        if (found == text.end()) return std::string_view::npos;
        const auto end = static_cast<std::size_t>(found - text.begin());
        afterCR_ = text[end] == '\r' && end + 1 == text.size();
        if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') return end + 1;
        return end;
    }

    std::size_t CountLineEnds(std::string_view text) {
        std::size_t count = 0;
        for (std::size_t end; (end = LineEnd(text)) != std::string_view::npos; text.remove_prefix(end + 1)) ++count;
        return count;
    }

    void Start() {
        if (csv_init(&parser_, 0) != 0) throw ArgumentError{"cannot start the CSV reader"};
        // Blanks are part of a field: a single blank is a real diameter item.
        csv_set_space_func(&parser_, KeepBlanks);
        // The reader grows a field's buffer by one block at a time; small
        // blocks make a cell of megabytes cost quadratic copying.
        csv_set_blk_size(&parser_, 1 << 20);
        csv_set_delim(&parser_, static_cast<unsigned char>(separator_));
    }

    // In slices, so that a cell is cut off at its limit while it is read: the
    // reader's buffer never holds much more than the limit, whatever the line.
    void Parse(std::string_view piece) {
        constexpr std::size_t kSlice = 1 << 16;
        for (std::size_t at = 0; at < piece.size(); at += kSlice) {
            const std::string_view slice = piece.substr(at, kSlice);
            if (csv_parse(&parser_, slice.data(), slice.size(), OnField, OnRowEnd, this) != slice.size())
                throw ReadError{csv_strerror(csv_error(&parser_))};
            if (parser_.entry_pos > kMostCellBytes) {
                parser_.entry_pos = 0;  // the buffer is the parser's; only its length is ours to drop
                cellCut_ = true;
            }
        }
    }

    bool QuoteOpen() const { return parser_.quoted && parser_.pstate == kFieldBegun; }

    void LineEnded() {
        if (!QuoteOpen()) {
            quoteLine_.reset();
            afterQuote_.clear();
        } else if (!quoteLine_) {
            quoteLine_ = line_;
        }
        ++line_;
    }

    // Hands on the row whose quote never closed, its cells those read before
    // the quote, and returns the text after the quote's line to read again.
    std::string GiveUpQuote() {
        row_.fault = RowFault::UnterminatedQuote;
        row_.quoteLine = *quoteLine_;
        cellCut_ = false;
        Deliver();
        csv_free(&parser_);
        Start();
        line_ = *quoteLine_ + 1;
        quoteLine_.reset();
        return std::exchange(afterQuote_, {});
    }

    void Deliver() {
        row_.cells.resize(fields_);
        const bool blank = row_.fault == RowFault::None &&
                           std::all_of(row_.cells.begin(), row_.cells.end(), [](const auto& f) { return f.empty(); });
        if (!blank) {
            try {
                onRow_(row_);
            } catch (...) {
                failure_ = std::current_exception();
            }
        }
        // Cells are reused from row to row; one long cell must not keep its
        // room in every column for the rest of the table.
        for (std::string& cell : row_.cells)
            if (cell.capacity() > kKeptCellRoom) std::string().swap(cell);
        fields_ = 0;
        rowBytes_ = 0;
        row_.fault = RowFault::None;
    }

    // libcsv calls back from C: nothing may unwind through it, so what the
    // row handler throws is kept and thrown again once the parser returned.
    static void OnField(void* data, std::size_t size, void* context) {
        auto* self = static_cast<CsvRows*>(context);
        if (self->failure_) return;
        ReadRow& row = self->row_;
        if (self->fields_ >= kMostFields) {
            row.fault = RowFault::TooManyFields;
            self->cellCut_ = false;
            return;
        }
        if (size > kMostCellBytes || std::exchange(self->cellCut_, false)) {
            row.fault = RowFault::CellTooLong;
            size = 0;
        }
        if ((self->rowBytes_ += size) > kMostRowBytes) {
            row.fault = RowFault::RowTooLong;
            size = 0;
        }
        if (self->fields_ == row.cells.size()) row.cells.emplace_back();
        row.cells[self->fields_++].assign(static_cast<const char*>(data), size);
    }

    static void OnRowEnd(int, void* context) {
        auto* self = static_cast<CsvRows*>(context);
        if (!self->failure_) self->Deliver();
    }

    csv_parser parser_{};
    char separator_;
    const RowHandler& onRow_;
    ReadRow row_;
    std::size_t fields_ = 0;
    std::size_t rowBytes_ = 0;
    bool cellCut_ = false;                  // the field being read passed the limit and was dropped
    std::size_t line_ = 1;                  // the line being read
    std::optional<std::size_t> quoteLine_;  // where a quote still open started
    std::string afterQuote_;                // what was read after that line
    std::exception_ptr failure_;
    bool afterCR_ = false;  // the text so far ended in a CR
};

// What the first bytes say of the encoding (a UTF-8 mark already taken off).
Encoding EncodingOf(std::string_view start) {
    if (start.substr(0, 2) == kUtf16LEMark) return Encoding::Utf16LE;
    if (start.substr(0, 2) == kUtf16BEMark) return Encoding::Utf16BE;
    return LooksLikeUtf8(start) ? Encoding::Utf8 : Encoding::Windows1251;
}

}  // namespace

Dialect DetectDialect(std::string_view start) {
    Dialect d;
    if (start.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        d.byteOrderMark = true;
        start.remove_prefix(kUtf8Mark.size());
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
    d.commaGroups = d.separator == ',';
    return d;
}

void ReadCsvRows(std::FILE* in, std::string_view start, Dialect& dialect, const RowHandler& onRow) {
    // A UTF-8 mark before text that is not UTF-8 (a file converted by hand)
    // is no text: the rest is read in the one encoding it is in.
    const bool utf8Mark = start.substr(0, kUtf8Mark.size()) == kUtf8Mark;
    if (utf8Mark) start.remove_prefix(kUtf8Mark.size());
    const Encoding encoding = EncodingOf(start);
    std::optional<Transcoder> decoder;
    if (encoding != Encoding::Utf8) decoder.emplace("UTF-8", IconvName(encoding), "\xEF\xBF\xBD");
    const bool utf16 = encoding == Encoding::Utf16LE || encoding == Encoding::Utf16BE;
    if (utf16) start.remove_prefix(2);

    // UTF-8 must stay UTF-8 past the first bytes: a table that goes on in
    // another encoding would be echoed as bytes no reader can show.
    Utf8Checker utf8;
    std::string decoded;
    const auto decode = [&](std::string_view bytes) {
        if (!decoder) {
            if (!utf8.Continues(bytes))
                throw ReadError{"the table is UTF-8 at its start and not further on: save it in one encoding"};
            return bytes;
        }
        decoded.clear();
        decoder->Convert(bytes, decoded);
        return std::string_view(decoded);
    };
    const std::string_view text = decode(start);
    dialect = DetectDialect(text);
    dialect.encoding = encoding;
    dialect.byteOrderMark = (utf8Mark && encoding == Encoding::Utf8) || utf16;

    CsvRows rows(dialect.separator, onRow);
    rows.Feed(text);
    std::vector<char> buffer(1 << 16);
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in))
        rows.Feed(decode({buffer.data(), got}));
    if (std::ferror(in)) throw ReadError{std::strerror(errno)};
    rows.Finish();
}

}  // namespace kaldora::cli
