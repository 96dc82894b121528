// The current norm's compiled tables against the published figures the
// program was given, cell by cell, and what a calculation under it records.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "engine/case_run.h"
#include "engine/current_norm.h"

namespace kaldora::testing {
namespace {

const NormTable& TableFor(const std::string& placement, const std::string& hours) {
    return Sp61Table(placement == "indoors", hours == "over_5000");
}

// The cell at an outer diameter (mm) and a temperature, if the table has them.
std::optional<double> CellAt(const LookupTable& t, double outerMm, double temp) {
    for (int r = 1; r < t.rows; ++r)
        for (int c = 1; c < t.cols; ++c)
            if (t.cells[r * t.cols] * 1000.0 == outerMm && t.cells[c] == temp) return t.cells[r * t.cols + c];
    return std::nullopt;
}

TEST(CurrentNorm, CompiledTablesEqualThePublishedFigures) {
    std::ifstream in(KALDORA_NORMS_CSV);
    ASSERT_TRUE(in) << KALDORA_NORMS_CSV;
    std::string line;
    std::getline(in, line);
    ASSERT_EQ(line, "placement,hours,dn_mm,outer_mm,t_c,q_w_per_m,check");
    std::map<const NormTable*, int> cells;
    int marked = 0;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string placement, hours, dn, outer, temp, q, check;
        std::getline(fields, placement, ',');
        std::getline(fields, hours, ',');
        std::getline(fields, dn, ',');
        std::getline(fields, outer, ',');
        std::getline(fields, temp, ',');
        std::getline(fields, q, ',');
        std::getline(fields, check);
        const NormTable& table = TableFor(placement, hours);
        const std::optional<double> cell = CellAt(table.lookup, std::stod(outer), std::stod(temp));
        ASSERT_TRUE(cell) << line;
        EXPECT_EQ(*cell, std::stod(q)) << line;
        EXPECT_EQ(NominalBoreOf(std::stod(outer) / 1000.0), std::stod(dn)) << line;
        ++cells[&table];
        // A cell the figures mark is marked in the program too.
        bool markedHere = false;
        for (const MarkedCell& m : kMarkedCells)
            markedHere = markedHere || (m.table == table.number && m.outerDiameter * 1000.0 == std::stod(outer) &&
                                        m.carrierTemp == std::stod(temp));
        EXPECT_EQ(markedHere, !check.empty()) << line;
        marked += markedHere;
    }
    EXPECT_EQ(marked, static_cast<int>(kMarkedCells.size()));
    // Every cell of every table came from the figures.
    for (const NormTable* table :
         {&Sp61OutdoorOver5000, &Sp61OutdoorUpTo5000, &Sp61IndoorOver5000, &Sp61IndoorUpTo5000})
        EXPECT_EQ(cells[table], (table->lookup.rows - 1) * (table->lookup.cols - 1)) << table->number;
}

struct NormTraceCase {
    const char* name;
    CaseInput input;
    int table;
    double bores[2];
    std::size_t marked;
};

class CurrentNormTraceTest : public ::testing::TestWithParam<NormTraceCase> {};

// The protocol names the norm's table, the rows by Dn and the cells the
// published copies disagree on, only where the interpolation used them.
TEST_P(CurrentNormTraceTest, RecordsTheTableItsRowsAndMarkedCells) {
    const NormTraceCase& c = GetParam();
    CalcTrace trace;
    RunCase(c.input, &trace);
    ASSERT_TRUE(trace.norm);
    EXPECT_EQ(trace.norm->table, c.table);
    EXPECT_EQ(trace.norm->nominalBores[0], c.bores[0]);
    EXPECT_EQ(trace.norm->nominalBores[1], c.bores[1]);
    EXPECT_EQ(trace.norm->marked.size(), c.marked);
}

CaseInput Sp61Case(std::string diameter, std::string carrier, bool longHours) {
    return {.type = 1, .longHours = longHours, .norm = NormSet::Sp61, .slotTexts = {{3, diameter}, {4, carrier}}};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CurrentNormTraceTest,
    ::testing::Values(NormTraceCase{"OnAMarkedCell", Sp61Case("325", "100", true), 2, {250, 300}, 1},
                      NormTraceCase{"BesideAMarkedRow", Sp61Case("273", "100", true), 2, {200, 250}, 0},
                      NormTraceCase{"BetweenRowsOfWhichOneIsMarked", Sp61Case("300", "75", true), 2, {250, 300}, 2},
                      NormTraceCase{"MarkedCellOfTheOtherTable", Sp61Case("219", "100", false), 3, {150, 200}, 1},
                      NormTraceCase{
                          "SameCellUnmarkedOverFiveThousand", Sp61Case("219", "100", true), 2, {150, 200}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kaldora::testing
