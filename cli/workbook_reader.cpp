// Excel workbooks in: the sheet a person sees on opening, row by row, through
// libzip and expat. Only the shared strings and the date styles are held
// whole, within limits; the sheet streams, and no part costs more work than
// its bytes.
#include <expat.h>
#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/errors.h"
#include "cli/table_io.h"
#include "files/file_replacement.h"

namespace kaldora::cli {

namespace {

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

// libzip reads the archive's directory from its end: the input itself when
// it is a file, else (a pipe, standard input) a temporary copy of it.
std::FILE* SeekableCopy(std::FILE* in, std::string_view start) {
    const int fd = fileno(in);
    if (fd >= 0 && lseek(fd, 0, SEEK_SET) == 0) {
        const int copy = dup(fd);
        if (std::FILE* file = copy >= 0 ? fdopen(copy, "rb") : nullptr) return file;
        if (copy >= 0) close(copy);
        throw ReadError{"the workbook cannot be opened"};
    }
    const int scratch = OpenScratchFile();
    std::FILE* file = scratch >= 0 ? fdopen(scratch, "w+b") : nullptr;
    if (!file) {
        if (scratch >= 0) close(scratch);
        throw ReadError{std::string("no room for a copy of the workbook: ") + std::strerror(errno)};
    }
    bool written = std::fwrite(start.data(), 1, start.size(), file) == start.size();
    char buffer[1 << 16];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, in))
        written = written && std::fwrite(buffer, 1, got, file) == got;
    const bool readFailed = std::ferror(in);
    const int error = errno;
    if (readFailed || !written || std::fflush(file) != 0) {
        std::fclose(file);
        throw ReadError{readFailed ? std::strerror(error)
                                   : std::string("no room for a copy of the workbook: ") + std::strerror(error)};
    }
    return file;
}

Archive OpenArchive(std::FILE* in, std::string_view start) {
    std::FILE* file = SeekableCopy(in, start);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_filep_create(file, 0, -1, &error);  // owns `file` from here
    if (!source) std::fclose(file);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (!archive) {
        if (source) zip_source_free(source);
        const std::string reason = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw ReadError{"not a workbook that can be read: " + reason};
    }
    zip_error_fini(&error);
    return Archive(archive);
}

// The name without its namespace: expat hands "uri|name".
std::string_view Local(const XML_Char* name) {
    const std::string_view full(name);
    const std::size_t bar = full.rfind('|');
    return bar == std::string_view::npos ? full : full.substr(bar + 1);
}

const XML_Char* Attribute(const XML_Char** attributes, std::string_view name) {
    for (; *attributes; attributes += 2)
        if (Local(attributes[0]) == name) return attributes[1];
    return nullptr;
}

// What a sheet needs of XML and no more: parts held whole (the shared
// strings, styles, the workbook's list of sheets) stop at a size, markup
// nests only so deep, and a tag that never ends (which expat would scan again
// from its start with every piece) stops at a length.
constexpr zip_uint64_t kMostHeldPartBytes = 64 << 20;
constexpr zip_uint64_t kStreamed = ~zip_uint64_t{0};
constexpr int kMostDepth = 32;
constexpr std::size_t kMostTokenBytes = 4 << 20;

// One XML part of the archive through expat, in pieces; what a handler
// threw is thrown again once expat has returned.
class XmlPart {
public:
    XmlPart() : parser_(XML_ParserCreateNS(nullptr, '|')) {
        if (!parser_) throw std::bad_alloc();
        XML_SetUserData(parser_, this);
        XML_SetElementHandler(parser_, OnStart, OnEnd);
        XML_SetCharacterDataHandler(parser_, OnText);
    }
    virtual ~XmlPart() { XML_ParserFree(parser_); }
    XmlPart(const XmlPart&) = delete;
    XmlPart& operator=(const XmlPart&) = delete;

    // False when the archive has no such part. `mostBytes`: the most its
    // inflated text may hold.
    bool Read(zip_t* archive, const std::string& name, zip_uint64_t mostBytes = kMostHeldPartBytes) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat(archive, name.c_str(), ZIP_FL_NOCASE, &stat) != 0) return false;
        // Excel stores or deflates; deflate cannot inflate a part more than
        // about a thousandfold, so work stays proportionate to the file.
        if ((stat.valid & ZIP_STAT_COMP_METHOD) && stat.comp_method != ZIP_CM_STORE &&
            stat.comp_method != ZIP_CM_DEFLATE)
            throw ReadError{name + " is compressed in a way Excel does not use"};
        zip_file_t* file = zip_fopen(archive, name.c_str(), ZIP_FL_NOCASE);
        if (!file) return false;
        char buffer[1 << 16];
        zip_int64_t got;
        zip_uint64_t total = 0;
        std::string stop;
        do {
            got = zip_fread(file, buffer, sizeof buffer);
            if (got < 0) break;
            total += static_cast<zip_uint64_t>(got);
            unparsed_ += static_cast<std::size_t>(got);
            if (total > mostBytes) {
                stop = " is larger than " + std::to_string(mostBytes >> 20) + " MB";
                break;
            }
            if (XML_Parse(parser_, buffer, static_cast<int>(got), got == 0) == XML_STATUS_ERROR) break;
            if (unparsed_ > kMostTokenBytes) {
                stop = " holds a tag longer than " + std::to_string(kMostTokenBytes >> 20) + " MB";
                break;
            }
        } while (got > 0);
        zip_fclose(file);
        if (failure_) std::rethrow_exception(failure_);
        if (!stop.empty()) throw ReadError{name + stop};
        if (got < 0) throw ReadError{name + " is damaged"};
        if (XML_GetErrorCode(parser_) != XML_ERROR_NONE)
            throw ReadError{name + " is damaged, line " + std::to_string(XML_GetCurrentLineNumber(parser_)) + ": " +
                            XML_ErrorString(XML_GetErrorCode(parser_))};
        return true;
    }

protected:
    virtual void Start(std::string_view element, const XML_Char** attributes) = 0;
    virtual void End(std::string_view) {}
    virtual void Text(std::string_view) {}

private:
    template <typename Call>
    static void Guarded(void* self, Call call) {
        auto* part = static_cast<XmlPart*>(self);
        part->unparsed_ = 0;
        if (part->failure_) return;
        try {
            call(*part);
        } catch (...) {
            part->failure_ = std::current_exception();
            XML_StopParser(part->parser_, XML_FALSE);
        }
    }
    static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
        Guarded(self, [&](XmlPart& p) {
            if (++p.depth_ > kMostDepth)
                throw ReadError{"the workbook's XML nests deeper than " + std::to_string(kMostDepth) + " elements"};
            p.Start(Local(name), attributes);
        });
    }
    static void OnEnd(void* self, const XML_Char* name) {
        Guarded(self, [&](XmlPart& p) {
            --p.depth_;
            p.End(Local(name));
        });
    }
    static void OnText(void* self, const XML_Char* text, int length) {
        Guarded(self, [&](XmlPart& p) { p.Text({text, static_cast<std::size_t>(length)}); });
    }

    XML_Parser parser_;
    std::exception_ptr failure_;
    int depth_ = 0;
    std::size_t unparsed_ = 0;  // bytes given to expat since it last reported anything
};

// The sheets of xl/workbook.xml in their order, and the one shown on opening.
class WorkbookSheets : public XmlPart {
public:
    struct Sheet {
        std::string name, id;
        bool visible;
    };
    std::vector<Sheet> sheets;
    std::size_t activeTab = 0;

private:
    void Start(std::string_view element, const XML_Char** attributes) override {
        if (element == "sheet") {
            const XML_Char* name = Attribute(attributes, "name");
            const XML_Char* id = Attribute(attributes, "id");
            const XML_Char* state = Attribute(attributes, "state");
            sheets.push_back({name ? name : "", id ? id : "", !state || std::string_view(state) == "visible"});
        } else if (element == "workbookView" && !viewSeen_) {
            viewSeen_ = true;
            if (const XML_Char* tab = Attribute(attributes, "activeTab")) {
                const std::string_view text(tab);
                std::from_chars(text.data(), text.data() + text.size(), activeTab);
            }
        }
    }
    bool viewSeen_ = false;
};

// The parts the workbook's relationships point to, by id, and which of them
// are worksheets (xl/_rels/workbook.xml.rels).
class Relationships : public XmlPart {
public:
    struct Target {
        std::string part;
        bool worksheet;
    };
    std::map<std::string, Target> targets;

private:
    void Start(std::string_view element, const XML_Char** attributes) override {
        const XML_Char* id = Attribute(attributes, "Id");
        const XML_Char* target = Attribute(attributes, "Target");
        if (element != "Relationship" || !id || !target) return;
        const XML_Char* type = Attribute(attributes, "Type");
        const std::string_view path(target);
        targets[id] = {path.starts_with('/') ? std::string(path.substr(1)) : "xl/" + std::string(path),
                       type && std::string_view(type).ends_with("/worksheet")};
    }
};

// The texts of xl/sharedStrings.xml in one buffer, each cut at the cell
// limit; phonetic runs (rPh) are not text. The whole is bounded: many empty
// strings cost as much as their bytes say.
class SharedStrings : public XmlPart {
public:
    struct Entry {
        std::string_view text;
        bool tooLong;
    };
    std::optional<Entry> At(std::size_t index) const {
        if (index >= ends_.size()) return std::nullopt;
        const std::size_t start = index == 0 ? 0 : ends_[index - 1];
        return Entry{std::string_view(text_).substr(start, ends_[index] - start), tooLong_[index]};
    }

private:
    static constexpr std::size_t kMostBytes = 64 << 20;
    static constexpr std::size_t kBytesAString = 16;  // what each costs beside its text

    // The text so far and `more`, with what each string costs beside it.
    void Budget(std::size_t more, std::size_t strings) const {
        if (text_.size() + more + strings * kBytesAString > kMostBytes)
            throw ReadError{"the workbook's shared strings exceed 64 MB"};
    }

    void Start(std::string_view element, const XML_Char**) override {
        if (element == "si") {
            Budget(0, ends_.size() + 1);
            start_ = text_.size();
            ends_.push_back(start_);
            tooLong_.push_back(false);
        }
        if (element == "t") inText_ = !ends_.empty() && phonetic_ == 0;
        if (element == "rPh") ++phonetic_;
    }
    void End(std::string_view element) override {
        if (element == "t") inText_ = false;
        if (element == "rPh") --phonetic_;
    }
    void Text(std::string_view more) override {
        if (!inText_ || tooLong_.back()) return;
        if (text_.size() - start_ + more.size() > kMostCellBytes) {
            tooLong_.back() = true;
            text_.resize(start_);
        } else {
            Budget(more.size(), ends_.size());
            text_.append(more);
        }
        ends_.back() = text_.size();
    }
    std::string text_;
    std::vector<std::size_t> ends_;
    std::vector<bool> tooLong_;
    std::size_t start_ = 0;  // of the string being read
    bool inText_ = false;
    int phonetic_ = 0;
};

// Whether a number format shows a date or a time: Excel's built-in ones, or
// a code with day, month, year, hour or second outside quotes and brackets.
bool IsDateFormat(int id, std::string_view code) {
    if ((id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58))
        return true;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '"') {
            i = code.find('"', i + 1);
            if (i == std::string_view::npos) return false;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;  // the next character is shown as it is, or is padding
        } else if (c == '[') {
            const std::size_t close = code.find(']', i);
            if (close == std::string_view::npos) return false;
            const std::string_view inside = code.substr(i + 1, close - i - 1);
            if (!inside.empty() && std::string_view("hHmMsS").find(inside[0]) != std::string_view::npos)
                return true;  // elapsed time
            i = close;
        } else if (std::string_view("dDmMyYhHsS").find(c) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

// Which cell styles (xl/styles.xml) show numbers as dates.
class DateStyles : public XmlPart {
public:
    bool IsDate(std::size_t style) const { return style < dates_.size() && dates_[style]; }

private:
    void Start(std::string_view element, const XML_Char** attributes) override {
        const auto id = [&] {
            int number = -1;
            if (const XML_Char* text = Attribute(attributes, "numFmtId")) {
                const std::string_view t(text);
                std::from_chars(t.data(), t.data() + t.size(), number);
            }
            return number;
        };
        if (element == "numFmt") {
            const XML_Char* code = Attribute(attributes, "formatCode");
            if (const int number = id(); number >= 0 && code) customDates_[number] = IsDateFormat(-1, code);
        } else if (element == "cellXfs") {
            inCellStyles_ = true;
        } else if (element == "xf" && inCellStyles_) {
            const int number = id();
            const auto custom = customDates_.find(number);
            dates_.push_back(custom != customDates_.end() ? custom->second : IsDateFormat(number, {}));
        }
    }
    void End(std::string_view element) override {
        if (element == "cellXfs") inCellStyles_ = false;
    }
    std::map<int, bool> customDates_;
    std::vector<bool> dates_;
    bool inCellStyles_ = false;
};

// "BC12" → 54: the column of a cell reference, from 0.
std::optional<std::size_t> ColumnOf(std::string_view reference) {
    std::size_t column = 0, letters = 0;
    for (const char c : reference) {
        if (c < 'A' || c > 'Z') break;
        if (++letters > 3) return std::nullopt;
        column = column * 26 + static_cast<std::size_t>(c - 'A' + 1);
    }
    if (letters == 0) return std::nullopt;
    return column - 1;
}

// Text gathered up to the cell limit; what is longer is only marked.
struct CellText {
    std::string text;
    bool tooLong = false;
    void Add(std::string_view more) {
        if (text.size() + more.size() > kMostCellBytes)
            tooLong = true;
        else
            text.append(more);
    }
    void Clear() {
        text.clear();
        tooLong = false;
    }
};

// The sheet, row by row: numbers as the file holds them, shared and inline
// strings, booleans as 1 and 0. A value the file does not hold as one (a
// formula never calculated, an error, a missing string, a date) is marked.
class SheetRows : public XmlPart {
public:
    SheetRows(const SharedStrings& shared, const DateStyles& styles, const RowHandler& onRow)
        : shared_(shared), styles_(styles), onRow_(onRow) {}

private:
    void Start(std::string_view element, const XML_Char** attributes) override {
        if (element == "row") {
            row_.cells.clear();
            row_.cellFaults.clear();
            row_.fault = RowFault::None;
            column_ = 0;
            rowBytes_ = 0;
        } else if (element == "c") {
            const XML_Char* r = Attribute(attributes, "r");
            const XML_Char* t = Attribute(attributes, "t");
            const XML_Char* style = Attribute(attributes, "s");
            if (const auto column = r ? ColumnOf(r) : std::nullopt) column_ = *column;
            type_ = t ? t : "n";
            dateStyle_ = false;
            if (style) {
                std::size_t index = 0;
                const std::string_view text(style);
                if (std::from_chars(text.data(), text.data() + text.size(), index).ec == std::errc())
                    dateStyle_ = styles_.IsDate(index);
            }
            value_.Clear();
            formula_ = false;
        } else if (element == "f") {
            formula_ = true;
        } else if (element == "v" || (element == "t" && type_ == "inlineStr")) {
            inValue_ = true;
        }
    }

    void End(std::string_view element) override {
        if (element == "v" || element == "t") inValue_ = false;
        if (element == "c") Cell();
        if (element == "row") Row();
    }

    void Text(std::string_view text) override {
        if (inValue_) value_.Add(text);
    }

    void Cell() {
        const std::size_t column = column_++;
        std::optional<CellFault> fault;
        std::string_view text = value_.text;
        bool tooLong = value_.tooLong;
        // A formula's result is its <v>; scripts write none, or an empty one.
        if (formula_ && value_.text.empty() && type_ != "str") {
            fault = CellFault::FormulaWithoutValue;
        } else if (type_ == "e") {
            fault = CellFault::ErrorValue;
        } else if (type_ == "d" || (type_ == "n" && dateStyle_ && !text.empty())) {
            fault = CellFault::Date;
        } else if (type_ == "s") {
            std::size_t index = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
            const std::optional<SharedStrings::Entry> shared =
                error == std::errc() && end == text.data() + text.size() ? shared_.At(index) : std::nullopt;
            if (!shared) fault = CellFault::MissingString;
            text = shared ? shared->text : std::string_view();
            tooLong = shared && shared->tooLong;
        }
        if (!fault && text.empty() && !tooLong) return;
        if (column >= kMostFields) {
            row_.fault = RowFault::TooManyFields;
            return;
        }
        if (fault) row_.cellFaults.emplace_back(column, *fault);
        if (row_.cells.size() <= column) row_.cells.resize(column + 1);
        if (tooLong)
            row_.fault = RowFault::CellTooLong;
        else if ((rowBytes_ += text.size()) > kMostRowBytes)
            row_.fault = RowFault::RowTooLong;
        else
            row_.cells[column] = text;
    }

    void Row() {
        if (row_.cells.empty() && row_.fault == RowFault::None) return;
        onRow_(row_);
    }

    const SharedStrings& shared_;
    const DateStyles& styles_;
    const RowHandler& onRow_;
    ReadRow row_;
    std::size_t column_ = 0;
    std::size_t rowBytes_ = 0;
    std::string type_;
    CellText value_;
    bool inValue_ = false, formula_ = false, dateStyle_ = false;
};

// The part of the sheet a person sees on opening: the active one when it
// is a visible worksheet, else the first visible worksheet. With more than
// one sheet, says which.
std::string ShownSheetPart(zip_t* archive, const NoteHandler& note) {
    WorkbookSheets book;
    Relationships relationships;
    if (!book.Read(archive, "xl/workbook.xml") || !relationships.Read(archive, "xl/_rels/workbook.xml.rels"))
        throw ReadError{"a ZIP archive, not an Excel workbook (.xlsx)"};
    const auto worksheet = [&](std::size_t k) -> const Relationships::Target* {
        if (k >= book.sheets.size() || !book.sheets[k].visible) return nullptr;
        const auto it = relationships.targets.find(book.sheets[k].id);
        return it != relationships.targets.end() && it->second.worksheet ? &it->second : nullptr;
    };
    std::size_t shown = book.activeTab;
    for (std::size_t k = 0; !worksheet(shown) && k < book.sheets.size(); ++k) shown = k;
    if (!worksheet(shown)) throw ReadError{"the workbook has no visible worksheet"};
    if (book.sheets.size() > 1)
        note("reading the sheet '" + book.sheets[shown].name + "' (" +
             (shown == book.activeTab ? "the active one" : "the first visible worksheet") + ") of " +
             std::to_string(book.sheets.size()));
    return worksheet(shown)->part;
}

}  // namespace

void ReadWorkbookRows(std::FILE* in, std::string_view start, const RowHandler& onRow, const NoteHandler& note) {
    const Archive archive = OpenArchive(in, start);
    const std::string part = ShownSheetPart(archive.get(), note);
    SharedStrings shared;
    shared.Read(archive.get(), "xl/sharedStrings.xml");
    DateStyles styles;
    styles.Read(archive.get(), "xl/styles.xml");
    SheetRows sheet(shared, styles, onRow);
    if (!sheet.Read(archive.get(), part, kStreamed)) throw ReadError{"the workbook has no sheet " + part};
}

}  // namespace kaldora::cli
