#include "cli/table.h"

#include <csv.h>

#include <map>
#include <optional>
#include <vector>

#include "cli/arguments.h"
#include "engine/case_run.h"
#include "model/calc_types.h"
#include "cli/output.h"

namespace kaldora::cli {

namespace {

using Row = std::vector<std::string>;

struct Reader {
    std::vector<Row> rows;
    Row current;
};

int KeepBlanks(unsigned char) { return 0; }

std::vector<Row> ReadCsv(std::FILE* in) {
    csv_parser parser;
    if (csv_init(&parser, CSV_APPEND_NULL) != 0) throw ArgumentError{"cannot start the CSV reader"};
    // Blanks are part of a field: a single blank is a real diameter item.
    csv_set_space_func(&parser, KeepBlanks);
    Reader reader;
    const auto onField = [](void* data, std::size_t size, void* context) {
        static_cast<Reader*>(context)->current.emplace_back(static_cast<const char*>(data), size);
    };
    const auto onRow = [](int, void* context) {
        auto* r = static_cast<Reader*>(context);
        r->rows.push_back(std::move(r->current));
        r->current.clear();
    };
    char buffer[1 << 16];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        if (csv_parse(&parser, buffer, got, onField, onRow, &reader) != got) {
            const std::string problem = csv_strerror(csv_error(&parser));
            csv_free(&parser);
            throw ArgumentError{"the table cannot be read: " + problem};
        }
    }
    csv_fini(&parser, onField, onRow, &reader);
    csv_free(&parser);
    return reader.rows;
}

struct Columns {
    std::optional<std::size_t> type, indoors, metal, longHours;
    std::map<std::size_t, int> slots;  // column -> slot number
};

Columns ReadHeader(const Row& header) {
    Columns c;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string& name = header[i];
        if (name == "type") c.type = i;
        else if (name == "indoors") c.indoors = i;
        else if (name == "metal") c.metal = i;
        else if (name == "long_hours") c.longHours = i;
        else if (name.rfind("slot", 0) == 0 && name.size() > 4 &&
                 name.find_first_not_of("0123456789", 4) == std::string::npos)
            c.slots[i] = std::stoi(name.substr(4));
        else
            throw ArgumentError{"unknown column '" + name + "'"};
    }
    if (!c.type) throw ArgumentError{"the table has no column 'type'"};
    return c;
}

CaseInput ReadCase(const Columns& c, const Row& row, std::size_t width) {
    if (row.size() != width)
        throw ArgumentError{"the row has " + std::to_string(row.size()) + " fields, the header " +
                            std::to_string(width)};
    CaseInput input;
    const std::string& type = row[*c.type];
    if (type.size() != 1 || type[0] < '1' || type[0] > '5')
        throw ArgumentError{"the type must be 1 to 5, not '" + type + "'"};
    input.type = type[0] - '0';
    // A cell for an option the type lacks may stay empty or say no.
    const CalcTypeInfo& info = TypeInfo(input.type);
    const auto option = [&](const std::optional<std::size_t>& column, const char* name, bool has) {
        std::optional<bool> value;
        if (column) value = ParseFlag(name, row[*column]);
        return has || value.value_or(true) ? value : std::nullopt;
    };
    input.indoors = option(c.indoors, "indoors", info.HasLocationOption());
    input.metal = option(c.metal, "metal", info.HasCoverOption());
    input.longHours = option(c.longHours, "long_hours", info.HasHoursOption());
    // An empty cell is a field not given: it keeps its design text.
    for (const auto& [column, slot] : c.slots)
        if (!row[column].empty()) input.slotTexts[slot] = row[column];
    if (const std::string problem = CheckCase(input); !problem.empty()) throw ArgumentError{problem};
    return input;
}

void WriteRow(std::FILE* out, const Row& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) std::fputc(',', out);
        csv_fwrite(out, fields[i].data(), fields[i].size());
    }
    std::fputc('\n', out);
}

std::string SlotCell(const CaseResult& r, int slot) {
    const auto it = r.slots.find(slot);
    return it == r.slots.end() ? std::string() : ShortestNumber(it->second);
}

constexpr std::size_t kProgressFrom = 5000;

}  // namespace

void RunTable(std::FILE* in, std::FILE* out, std::FILE* progress) {
    const std::vector<Row> rows = ReadCsv(in);
    if (rows.empty()) throw ArgumentError{"the table is empty"};
    const Row& header = rows.front();
    const Columns columns = ReadHeader(header);

    Row outHeader = header;
    for (const char* name : {"thickness_mm", "slot6", "slot29", "slot30", "messages", "error"})
        outHeader.emplace_back(name);
    WriteRow(out, outHeader);

    const std::size_t cases = rows.size() - 1;
    const bool showProgress = progress && cases > kProgressFrom;
    for (std::size_t n = 1; n < rows.size(); ++n) {
        Row line = rows[n];
        line.resize(header.size());
        try {
            const CaseResult r = RunCase(ReadCase(columns, rows[n], header.size()));
            line.insert(line.end(), {ShortestNumber(r.thicknessMm), SlotCell(r, 6), SlotCell(r, 29),
                                     SlotCell(r, 30), MessagesLine(r), ""});
        } catch (const ArgumentError& e) {
            line.insert(line.end(), {"", "", "", "", "", e.message});
        }
        WriteRow(out, line);
        if (showProgress && (n % 1000 == 0 || n == cases))
            std::fprintf(progress, "\r%zu / %zu", n, cases);
    }
    if (showProgress) std::fputc('\n', progress);
}

}  // namespace kaldora::cli
