#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "model/number_text.h"

namespace kaldora {
namespace {

struct ParseCase {
    const char* text;
    double value;
};

class ParsePointNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParsePointNumberTest, ReadsTheLongestNumericPrefix) {
    EXPECT_EQ(ParsePointNumber(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

const double kMax = std::numeric_limits<double>::max();

INSTANTIATE_TEST_SUITE_P(
    Texts, ParsePointNumberTest,
    ::testing::Values(ParseCase{"20.5", 20.5}, ParseCase{"  \t-7", -7.0}, ParseCase{"+3", 3.0}, ParseCase{".5", 0.5},
                      ParseCase{"5.", 5.0}, ParseCase{"12abc", 12.0}, ParseCase{"1.5,7", 1.5}, ParseCase{"1e3", 1000.0},
                      ParseCase{"2.5E-1 м", 0.25}, ParseCase{"1e", 1.0}, ParseCase{"1e+", 1.0}, ParseCase{"3e-x", 3.0},
                      ParseCase{"20,5", 20.0}, ParseCase{"", 0.0}, ParseCase{"abc", 0.0}, ParseCase{".", 0.0},
                      ParseCase{"-", 0.0}, ParseCase{"e5", 0.0}, ParseCase{"inf", 0.0}, ParseCase{"-infinity", 0.0},
                      ParseCase{"nan", 0.0}, ParseCase{"0x1A", 0.0}, ParseCase{"1e400", kMax},
                      ParseCase{"-1e400", -kMax}, ParseCase{"1e-400", 0.0},
                      ParseCase{"0.0000000000000000000000001e-390", 0.0}, ParseCase{"1e99999999999999999999", kMax},
                      ParseCase{"11e09223372036854775807", kMax}));

TEST(SwapFirstComma, SwapsOnlyTheFirstComma) {
    EXPECT_EQ(ParsePointNumber(SwapFirstComma("20,5")), 20.5);
    EXPECT_EQ(ParsePointNumber(SwapFirstComma(",5")), 0.5);
    EXPECT_EQ(ParsePointNumber(SwapFirstComma("1,5,7")), 1.5);
    EXPECT_EQ(SwapFirstComma("1,5,7"), "1.5,7");
    EXPECT_EQ(SwapFirstPoint("1.5.7"), "1,5.7");
}

struct FormatCase {
    double value;
    int width;
    int decimals;
    const char* shown;
};

class FormatShownTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatShownTest, FormatsLikePrintfWithADecimalComma) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatShown(c.value, c.width, c.decimals), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatShownTest,
                         ::testing::Values(FormatCase{20.5, 3, 1, "20,5"}, FormatCase{7.0, 1, 0, "7"},
                                           FormatCase{1.5, 5, 3, "1,500"}, FormatCase{1.5, 6, 1, "   1,5"},
                                           FormatCase{0.0, 3, 1, "0,0"}, FormatCase{-0.04, 3, 1, "-0,0"},
                                           FormatCase{0.25, 3, 1, "0,2"}, FormatCase{0.35, 3, 1, "0,3"},
                                           FormatCase{2.5, 1, 0, "2"}, FormatCase{78.94999, 3, 1, "78,9"},
                                           FormatCase{1e25, 1, 0, "10000000000000000905969664"},
                                           FormatCase{-1234567.125, 1, 2, "-1234567,12"}));

TEST(FormatWithRecord, UsesWidthAndDecimalsOfTheRecord) {
    EXPECT_EQ(FormatWithRecord("%4.2f", 3.14159), "3.14");
    EXPECT_EQ(FormatWithRecord("%9.7f", 0.5), "0.5000000");
    EXPECT_EQ(FormatWithRecord("%1.0f", 108.0), "108");
    EXPECT_EQ(FormatWithRecord("", 2.6), "3");
}

// Both builds' shortest texts, fixed or with an exponent as to_chars chooses.
TEST(WriteShortest, FewestDigitsInTheShorterForm) {
    const std::pair<double, const char*> cases[] = {
        {23.674398030150492, "23.674398030150492"},
        {0.1, "0.1"},
        {1200, "1200"},
        {100000, "1e+05"},
        {123456, "123456"},
        {0.0001, "1e-04"},
        {0.001, "0.001"},
        {1.5e-7, "1.5e-07"},
        {-0.0, "-0"},
        {0, "0"},
        {-2.5, "-2.5"},
        {1e300, "1e+300"},
        {5e-324, "5e-324"},
        {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
    };
    for (const auto& [value, text] : cases) {
        char buffer[kShortestTextRoom];
        EXPECT_EQ(std::string(buffer, WriteShortest(buffer, value)), text) << value;
    }
}

TEST(FormatFixed, LargestDoubleIsWrittenInFull) {
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::max(), 1, 0).size(), 309u);
}

// Table cells are read whole: what a spreadsheet writes, or nothing.
TEST(ReadSpreadsheetNumber, ReadsWhatSpreadsheetsWriteAndNothingElse) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"\xE2\x88\x92"
         "25",
         -25},  // U+2212 minus
        {"\xE2\x80\x93"
         "25,5",
         -25.5},  // en dash, decimal comma
        {"1\xC2\xA0"
         "020",
         1020},  // no-break space between groups
        {"1\xE2\x80\x89"
         "020 500,25",
         1020500.25},  // thin space, blank
        {" 1e-3 ", 1e-3},
        {"+7", 7},
        {"-25 град", std::nullopt},
        {"12 m", std::nullopt},
        {"1 02", std::nullopt},       // not a group of three
        {"12345 678", std::nullopt},  // a first group over three digits
        {"1e999", std::nullopt},      // not finite
        {"", std::nullopt},
        {"-", std::nullopt},
        {"nan", std::nullopt},
        {"\xEF\xBC\x91\xEF\xBC\x92", std::nullopt},  // full-width digits
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ReadSpreadsheetNumber(text), expected) << text;
    // Where commas separate the cells, a comma in a number only groups digits.
    const std::pair<const char*, std::optional<double>> commaTable[] = {
        {"1,200", 1200}, {"-1,200,000.5", -1200000.5}, {"1,2", std::nullopt}, {"1200,5", std::nullopt}};
    for (const auto& [text, expected] : commaTable) EXPECT_EQ(ReadSpreadsheetNumber(text, true), expected) << text;
}

TEST(CountCharacters, CountsCyrillicAsOneEach) {
    EXPECT_EQ(CountCharacters("5 мм"), 4u);
    EXPECT_EQ(CountCharacters(""), 0u);
}

}  // namespace
}  // namespace kaldora
