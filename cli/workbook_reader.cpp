// Excel workbooks in: the first sheet, row by row, through libzip and expat.
// Only the shared strings are held whole; the sheet streams.
#include <expat.h>
#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <exception>
#include <memory>
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
        throw ArgumentError{"the workbook cannot be opened"};
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
        throw ArgumentError{"the workbook cannot be read: " + reason};
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

    // False when the archive has no such part.
    bool Read(zip_t* archive, const std::string& name) {
        zip_file_t* file = zip_fopen(archive, name.c_str(), ZIP_FL_NOCASE);
        if (!file) return false;
        char buffer[1 << 16];
        zip_int64_t got;
        do {
            got = zip_fread(file, buffer, sizeof buffer);
            if (got < 0) break;
            if (XML_Parse(parser_, buffer, static_cast<int>(got), got == 0) == XML_STATUS_ERROR) break;
        } while (got > 0);
        zip_fclose(file);
        if (failure_) std::rethrow_exception(failure_);
        if (got < 0) throw ArgumentError{"the workbook cannot be read: " + name + " is damaged"};
        if (XML_GetErrorCode(parser_) != XML_ERROR_NONE)
            throw ArgumentError{"the workbook cannot be read: " + name + ", line " +
                                std::to_string(XML_GetCurrentLineNumber(parser_)) + ": " +
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
        if (part->failure_) return;
        try {
            call(*part);
        } catch (...) {
            part->failure_ = std::current_exception();
            XML_StopParser(part->parser_, XML_FALSE);
        }
    }
    static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
        Guarded(self, [&](XmlPart& p) { p.Start(Local(name), attributes); });
    }
    static void OnEnd(void* self, const XML_Char* name) {
        Guarded(self, [&](XmlPart& p) { p.End(Local(name)); });
    }
    static void OnText(void* self, const XML_Char* text, int length) {
        Guarded(self, [&](XmlPart& p) { p.Text({text, static_cast<std::size_t>(length)}); });
    }

    XML_Parser parser_;
    std::exception_ptr failure_;
};

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

// The relationship id of the first sheet (xl/workbook.xml).
class FirstSheet : public XmlPart {
public:
    std::string id;

private:
    void Start(std::string_view element, const XML_Char** attributes) override {
        if (element == "sheet" && id.empty())
            if (const XML_Char* rid = Attribute(attributes, "id")) id = rid;
    }
};

// Where a relationship id points (xl/_rels/workbook.xml.rels).
class Relationship : public XmlPart {
public:
    explicit Relationship(std::string id) : id_(std::move(id)) {}
    std::string target;

private:
    void Start(std::string_view element, const XML_Char** attributes) override {
        const XML_Char* id = Attribute(attributes, "Id");
        if (element == "Relationship" && id && id_ == id)
            if (const XML_Char* t = Attribute(attributes, "Target")) target = t;
    }
    std::string id_;
};

// The texts of xl/sharedStrings.xml; phonetic runs (rPh) are not text.
class SharedStrings : public XmlPart {
public:
    std::vector<CellText> strings;

private:
    void Start(std::string_view element, const XML_Char**) override {
        if (element == "si") strings.emplace_back();
        if (element == "t") inText_ = !strings.empty() && phonetic_ == 0;
        if (element == "rPh") ++phonetic_;
    }
    void End(std::string_view element) override {
        if (element == "t") inText_ = false;
        if (element == "rPh") --phonetic_;
    }
    void Text(std::string_view text) override {
        if (inText_) strings.back().Add(text);
    }
    bool inText_ = false;
    int phonetic_ = 0;
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

// The sheet, row by row: numbers as the file holds them, shared and inline
// strings, booleans as 1 and 0, error values as their text.
class SheetRows : public XmlPart {
public:
    SheetRows(const std::vector<CellText>& shared, const RowHandler& onRow) : shared_(shared), onRow_(onRow) {}

private:
    void Start(std::string_view element, const XML_Char** attributes) override {
        if (element == "row") {
            row_.cells.clear();
            row_.fault = RowFault::None;
            column_ = 0;
        } else if (element == "c") {
            const XML_Char* r = Attribute(attributes, "r");
            const XML_Char* t = Attribute(attributes, "t");
            if (const auto column = r ? ColumnOf(r) : std::nullopt) column_ = *column;
            type_ = t ? t : "n";
            value_.Clear();
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
        const CellText* value = &value_;
        if (type_ == "s") {
            std::size_t index = 0;
            const auto [end, error] =
                std::from_chars(value_.text.data(), value_.text.data() + value_.text.size(), index);
            value = error == std::errc() && index < shared_.size() ? &shared_[index] : nullptr;
        }
        const std::size_t column = column_++;
        if (!value || (value->text.empty() && !value->tooLong)) return;
        if (column >= kMostFields) {
            row_.fault = RowFault::TooManyFields;
            return;
        }
        if (row_.cells.size() <= column) row_.cells.resize(column + 1);
        if (value->tooLong)
            row_.fault = RowFault::CellTooLong;
        else
            row_.cells[column] = value->text;
    }

    void Row() {
        if (row_.cells.empty() && row_.fault == RowFault::None) return;
        onRow_(row_);
    }

    const std::vector<CellText>& shared_;
    const RowHandler& onRow_;
    ReadRow row_;
    std::size_t column_ = 0;
    std::string type_;
    CellText value_;
    bool inValue_ = false;
};

// The first sheet's part name, from the workbook and its relationships.
std::string FirstSheetPart(zip_t* archive) {
    FirstSheet first;
    if (first.Read(archive, "xl/workbook.xml") && !first.id.empty()) {
        Relationship relationship(first.id);
        if (relationship.Read(archive, "xl/_rels/workbook.xml.rels") && !relationship.target.empty()) {
            const std::string& target = relationship.target;
            return target.front() == '/' ? target.substr(1) : "xl/" + target;
        }
    }
    return "xl/worksheets/sheet1.xml";
}

}  // namespace

void ReadWorkbookRows(std::FILE* in, std::string_view start, const RowHandler& onRow) {
    const Archive archive = OpenArchive(in, start);
    SharedStrings shared;
    shared.Read(archive.get(), "xl/sharedStrings.xml");
    SheetRows sheet(shared.strings, onRow);
    const std::string part = FirstSheetPart(archive.get());
    if (!sheet.Read(archive.get(), part)) throw ArgumentError{"the workbook has no sheet " + part};
}

}  // namespace kaldora::cli
