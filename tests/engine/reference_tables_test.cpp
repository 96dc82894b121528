#include <gtest/gtest.h>

#include <string>

#include "engine/reference_tables.h"
#include "model/calc_data.h"

namespace kaldora {
namespace {

struct TableCase {
    const char* name;
    const LookupTable* table;
    int rows, cols;
    double firstRowKey, lastRowKey, firstColKey, lastColKey;
};

class ReferenceTableTest : public ::testing::TestWithParam<TableCase> {};

double Cell(const LookupTable& t, int r, int c) { return t.cells[r * t.cols + c]; }

TEST_P(ReferenceTableTest, HasItsDimensionsAndAscendingKeys) {
    const TableCase& c = GetParam();
    const LookupTable& t = *c.table;
    ASSERT_EQ(t.rows, c.rows);
    ASSERT_EQ(t.cols, c.cols);
    EXPECT_EQ(Cell(t, 0, 0), 0.0);
    EXPECT_EQ(Cell(t, 1, 0), c.firstRowKey);
    EXPECT_EQ(Cell(t, t.rows - 1, 0), c.lastRowKey);
    EXPECT_EQ(Cell(t, 0, 1), c.firstColKey);
    EXPECT_EQ(Cell(t, 0, t.cols - 1), c.lastColKey);
    for (int r = 2; r < t.rows; ++r) EXPECT_LT(Cell(t, r - 1, 0), Cell(t, r, 0)) << "row " << r;
    for (int k = 2; k < t.cols; ++k) EXPECT_LT(Cell(t, 0, k - 1), Cell(t, 0, k)) << "col " << k;
}

INSTANTIATE_TEST_SUITE_P(
    All, ReferenceTableTest,
    ::testing::Values(TableCase{"OutdoorOver", &NormFluxOutdoorOver5000, 24, 14, 0.018, 1.42, 20, 600},
                      TableCase{"OutdoorUpTo", &NormFluxOutdoorUpTo5000, 24, 14, 0.018, 1.42, 20, 600},
                      TableCase{"IndoorOver", &NormFluxIndoorOver5000, 24, 14, 0.018, 1.42, 20, 600},
                      TableCase{"IndoorUpTo", &NormFluxIndoorUpTo5000, 24, 14, 0.018, 1.42, 20, 600},
                      TableCase{"ChannelOver", &NormFluxChannelOver5000, 24, 4, 0.032, 1.42, 65, 110},
                      TableCase{"ChannelUpTo", &NormFluxChannelUpTo5000, 24, 4, 0.032, 1.42, 65, 110},
                      TableCase{"Saturation", &SaturationPressureTable, 2, 93, 1.0, 1.0, -40, 51},
                      TableCase{"DewPoint", &DewPointTable, 2, 93, 1.0, 1.0, 0.093, 97.01}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReferenceTables, NoNormCellIsZero) {
    // A zero is how a refused lookup shows; the norm data must never hold one.
    for (const LookupTable* t : {&NormFluxOutdoorOver5000, &NormFluxOutdoorUpTo5000, &NormFluxIndoorOver5000,
                                 &NormFluxIndoorUpTo5000, &NormFluxChannelOver5000, &NormFluxChannelUpTo5000})
        for (int r = 1; r < t->rows; ++r)
            for (int c = 1; c < t->cols; ++c) EXPECT_GT(Cell(*t, r, c), 0.0);
}

TEST(ReferenceTables, SaturationTablesAreInverses) {
    for (int c = 1; c < 93; ++c) {
        EXPECT_EQ(Cell(SaturationPressureTable, 0, c), Cell(DewPointTable, 1, c));
        EXPECT_EQ(Cell(SaturationPressureTable, 1, c), Cell(DewPointTable, 0, c));
    }
}

TEST(ReferenceTables, SpotValuesAsPublished) {
    // A few cells from each table, the odd ones among them kept as given.
    EXPECT_EQ(Lookup(NormFluxOutdoorOver5000, 1.02, 400).value, 348);
    EXPECT_EQ(Lookup(NormFluxOutdoorOver5000, 1.42, 20).value, 5);
    EXPECT_EQ(Lookup(NormFluxOutdoorUpTo5000, 1.02, 600).value, 1003);
    EXPECT_EQ(Lookup(NormFluxOutdoorUpTo5000, 0.108, 350).value, 146);
    EXPECT_EQ(Lookup(NormFluxIndoorOver5000, 1.02, 200).value, 286);
    EXPECT_EQ(Lookup(NormFluxIndoorUpTo5000, 0.018, 20).value, 7);
    EXPECT_EQ(Lookup(NormFluxIndoorUpTo5000, 0.018, 50).value, 7);
    EXPECT_EQ(Lookup(NormFluxIndoorUpTo5000, 0.108, 350).value, 140);
    EXPECT_EQ(Lookup(NormFluxChannelOver5000, 0.108, 65).value, 24);
    EXPECT_EQ(Lookup(NormFluxChannelUpTo5000, 0.108, 65).value, 28);
    EXPECT_EQ(Lookup(NormFluxChannelUpTo5000, 1.42, 110).value, 274);
    EXPECT_EQ(Lookup(SaturationPressureTable, 1.0, 31).value, 33.87);
    EXPECT_EQ(Lookup(SaturationPressureTable, 1.0, 51).value, 97.01);
    EXPECT_EQ(Lookup(DewPointTable, 1.0, 4.58).value, 0.0);  // a real 0 °C
}

TEST(ReferenceTables, IndoorTablesRepeatTheFiftyDegreeColumnAtTwenty) {
    for (const LookupTable* t : {&NormFluxIndoorOver5000, &NormFluxIndoorUpTo5000})
        for (int r = 1; r < t->rows; ++r) EXPECT_EQ(Cell(*t, r, 1), Cell(*t, r, 2));
}

TEST(ReferenceTables, DewPointLookups) {
    EXPECT_NEAR(Lookup(DewPointTable, 1.0, 10.524).value, 12.01, 0.005);
    const TableValue below = Lookup(DewPointTable, 1.0, 0.09);
    EXPECT_EQ(below.value, 0.0);
    EXPECT_EQ(below.outOfRange, "Температура теплоносителя\nдолжна быть от 0C до 97C");
}

}  // namespace
}  // namespace kaldora
