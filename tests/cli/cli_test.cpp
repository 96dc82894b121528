// Runs the real kaldora-calc binary and checks what it prints and returns.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "engine/case_run.h"
#include "model/calc_data.h"

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A folder of this run's own, so that runs by different users or at the
// same time do not share files.
const std::string& WorkDir() {
    static const std::string dir = [] {
        std::string pattern = ::testing::TempDir() + "/kaldora-calc-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern;
    }();
    return dir;
}

struct RemoveWorkDir : ::testing::Environment {
    void TearDown() override { std::filesystem::remove_all(WorkDir()); }
};
const auto* const removeWorkDir = ::testing::AddGlobalTestEnvironment(new RemoveWorkDir);

Outcome Calc(const std::vector<std::string>& args, const std::string& locale = "C",
         const std::string& input = "") {
    const std::string& dir = WorkDir();
    const std::string out = dir + "/calc.out", err = dir + "/calc.err", in = dir + "/calc.in";
    std::ofstream(in, std::ios::binary) << input;
    std::string command = "LC_ALL=" + locale + " " + Quote(KALDORA_CALC);
    for (const auto& a : args) command += " " + Quote(a);
    command += " <" + in + " >" + out + " 2>" + err;
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(out), ReadFile(err)};
}

const std::string kZero = "Толщина тепловой изоляции = 0,0 мм\n";

struct HumanCase {
    const char* name;
    std::vector<std::string> args;
    std::string out;
};

class CalcOutputTest : public ::testing::TestWithParam<HumanCase> {};

TEST_P(CalcOutputTest, PrintsTheWindowsTextsAndSucceeds) {
    const Outcome run = Calc(GetParam().args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, GetParam().out);
    EXPECT_EQ(run.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalcOutputTest,
    ::testing::Values(
        HumanCase{"Type1Initial", {"--type", "1"}, "Толщина тепловой изоляции = 78,9 мм\n"},
        HumanCase{"Type2Initial", {"--type", "2"},
                  kZero + "При заданном перепаде температур\n конденсация исключена\n"},
        HumanCase{"Type3Initial", {"--type", "3"},
                  kZero + "Температура на поверхности ниже температуры среды\n Расчет невозможен\n"},
        HumanCase{"Type4Initial", {"--type", "4"}, kZero + "При заданных условиях замерзание исключено\n"},
        HumanCase{"Type5Initial", {"--type", "5"},
                  "Ширина канала недостаточна\nТолщина тепловой изоляции = 23,9 мм\n"},
        HumanCase{"Type1Options", {"--type=1", "--indoors", "--metal"}, "Толщина тепловой изоляции = 79,6 мм\n"},
        HumanCase{"Type5LongHours", {"--type", "5", "--long-hours"},
                  "Ширина канала недостаточна\nТолщина тепловой изоляции = 31,4 мм\n"},
        HumanCase{"Type2Typed", {"--type", "2", "1=20", "4=5", "32=60"},
                  "Толщина тепловой изоляции = 4,8 мм\n"},
        HumanCase{"Type3Typed", {"--type", "3", "4=350", "7=45"}, "Толщина тепловой изоляции = 53,3 мм\n"},
        HumanCase{"CommaAndPoint", {"--type", "4", "1=-20", "8=5.0", "16=20,0"},
                  "Толщина тепловой изоляции = 22,6 мм\n"},
        HumanCase{"NormRangeRefusal", {"--type", "1", "3=17"},
                  "Диаметр трубы должен быть от 0.018м до 1.420м\n" + kZero},
        HumanCase{"NoLosses", {"--type", "1", "1=400"},
                  kZero + "При заданных условиях тепловые потери исключены\n" + kZero},
        HumanCase{"FreezeRunaway", {"--type", "4", "1=-40", "3=32", "8=3", "11=5", "16=48"},
                  "Заданы невыполнимые условия\n" + kZero},
        HumanCase{"ChannelSurface", {"--type", "5", "20=0,6", "19=0,3"},
                  "Ошибка в исходных данных\nКанал выходит на поверхность земли\n" + kZero},
        HumanCase{"ChannelBlankDiameter", {"--type", "5", "23= "},
                  "Диаметр трубы должен быть от 0.032м до 1.420м\n" + kZero},
        HumanCase{"ChannelMismatch", {"--type", "5", "17=55"},
                  "Ошибка в исходных данных\nПроверьте соответствие\nдиаметров труб и размеров канала\n" + kZero},
        HumanCase{"Overflow", {"--type", "3", "4=1e308", "7=45"}, kZero + "Ошибка: Floating point overflow\n"},
        HumanCase{"Version", {"--version"}, "kaldora-calc " KALDORA_VERSION "\n"},
        HumanCase{"VersionFirst", {"--version", "--type", "9"}, "kaldora-calc " KALDORA_VERSION "\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ArgumentCase {
    const char* name;
    std::vector<std::string> args;
    const char* message;
};

class CalcArgumentTest : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(CalcArgumentTest, RefusesWithStatusTwo) {
    const Outcome run = Calc(GetParam().args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    // One line naming the problem, then where to look.
    const std::string hint = "\nTry 'kaldora-calc --help'.\n";
    ASSERT_GT(run.err.size(), hint.size()) << run.err;
    EXPECT_EQ(run.err.substr(run.err.size() - hint.size()), hint);
    EXPECT_EQ(run.err.find('\n'), run.err.size() - hint.size()) << run.err;
    EXPECT_EQ(run.err.rfind("kaldora-calc: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
}

TEST(CalcHelp, PrintsTheUsageOnStandardOutput) {
    const Outcome run = Calc({"--type", "1", "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("usage: kaldora-calc --type N", 0), 0u) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalcArgumentTest,
    ::testing::Values(ArgumentCase{"NoType", {"1=20"}, "no calculation type"},
                      ArgumentCase{"TypeOutOfRange", {"--type", "6"}, "the type must be 1 to 5"},
                      ArgumentCase{"TypeNotANumber", {"--type", "x"}, "not a whole number"},
                      ArgumentCase{"TypeWithoutValue", {"--type"}, "--type needs a value"},
                      ArgumentCase{"UnknownOption", {"--type", "1", "--verbose"}, "unknown option --verbose"},
                      ArgumentCase{"SlotNotShown", {"--type", "1", "7=45"}, "type 1 has no field for slot 7"},
                      ArgumentCase{"CoverOnType4", {"--type", "4", "--metal"}, "type 4 has no cover option"},
                      ArgumentCase{"HoursOnType3", {"--type", "3", "--long-hours"}, "type 3 has no operating-hours option"},
                      ArgumentCase{"PlacementOnType2", {"--type", "2", "--outdoors"}, "type 2 has no placement option"},
                      ArgumentCase{"BadSlotNumber", {"--type", "1", "x=45"}, "not a whole number"},
                      ArgumentCase{"NotASlot", {"--type", "1", "45"}, "expected SLOT=TEXT"},
                      ArgumentCase{"CsvWithType", {"--csv", "-", "--type", "1"}, "give no --type"},
                      ArgumentCase{"MissingTable", {"--csv", "/nonexistent/cases.csv"}, "cannot open"}),
    [](const auto& info) { return std::string(info.param.name); });

// The same case computed by the engine in this process.
double EngineThickness(int type, std::initializer_list<std::pair<int, std::string>> texts) {
    using namespace kaldora;
    CaseInput input{type, {}, {}, {}, {}};
    for (const auto& [slot, text] : texts) input.slotTexts[slot] = text;
    RunCase(input);
    return ParamTable[type][kSlotThickness];
}

TEST(CalcJson, NumbersReadBackEqualToTheEngines) {
    const Outcome run = Calc({"--type", "5", "--json", "17=6,5", "23=159"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["type"], 5);
    EXPECT_EQ(json["flags"]["long_hours"], false);
    EXPECT_EQ(json["slots"]["5"].get<double>(), EngineThickness(5, {{17, "6,5"}, {23, "159"}}));
    EXPECT_EQ(json["slots"]["23"].get<double>(), 0.159);
    EXPECT_EQ(json["slots"]["22"].get<double>(), 11.0);
    EXPECT_EQ(json["slots"]["29"].get<double>(), kaldora::ParamTable[5][29]);
    EXPECT_EQ(json["slots"]["30"].get<double>(), kaldora::ParamTable[5][30]);
    EXPECT_EQ(json["thickness_mm"].get<double>(), kaldora::ParamTable[5][5] * 1000.0);
    ASSERT_EQ(json["events"].size(), 2u);
    EXPECT_EQ(json["events"][0]["kind"], "info");
    EXPECT_EQ(json["events"][1]["kind"], "result");
    EXPECT_FALSE(json["slots"].contains("1"));  // not read, not written by type 5
}

TEST(CalcJson, RefusalIsANormalAnswer) {
    const Outcome run = Calc({"--type", "2", "--json"});
    ASSERT_EQ(run.status, 0);
    const auto json = nlohmann::json::parse(run.out);
    // Always indoors: no placement option to echo, only the cover.
    EXPECT_EQ(json["flags"], nlohmann::json({{"metal", false}}));
    EXPECT_EQ(json["events"][0]["kind"], "result");
    EXPECT_EQ(json["events"][1]["text"], "При заданном перепаде температур\n конденсация исключена");
    EXPECT_EQ(json["slots"]["5"].get<double>(), 0.0);
}

TEST(CalcLocale, RussianLocaleGivesTheSameOutput) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--type", "3", "4=350,5", "7=45.5", "--json"}, {"--type", "1", "1=20.5"}, {"--type", "5"}}) {
        const Outcome c = Calc(args, "C");
        const Outcome ru = Calc(args, "ru_RU.UTF-8");
        EXPECT_EQ(c.status, 0);
        EXPECT_EQ(ru.out, c.out);
    }
}

TEST(CalcTable, MixedRowsAreComputedIndependently) {
    const std::string table =
        "type,indoors,metal,long_hours,slot1,slot3,slot4,slot7,slot17,slot23\n"
        "1,,,,,,,,,\n"
        "3,,1,,20,108,350,45,,\n"
        "5,,,1,,,,,,\n"
        "7,,,,,,,,,\n"
        "1,,,,,,,45,,\n"
        "2,maybe,,,,,,,,\n"
        "1,1,,\n"
        "5,,,,,,,,55,\" \"\n"
        "1,,,,,,,,,\n"
        "4,0,нет,,-20,,,,,\n"  // options type 4 lacks, left off
        "4,,1,,-20,,,,,\n"
        "4,,,,-20,,,,,\n";
    const Outcome run = Calc({"--csv", "-"}, "ru_RU.UTF-8", table);
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> lines;
    std::istringstream s(run.out);
    for (std::string line; std::getline(s, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 13u) << run.out;
    EXPECT_EQ(lines[0],
              R"("type","indoors","metal","long_hours","slot1","slot3","slot4","slot7","slot17","slot23",)"
              R"("thickness_mm","slot6","slot29","slot30","messages","error")");
    EXPECT_NE(lines[1].find(R"("146")"), std::string::npos);  // the norm of type 1
    EXPECT_EQ(lines[1].substr(lines[1].size() - 5), R"("","")");  // no messages, no error
    EXPECT_NE(lines[2].find(R"("86.9)"), std::string::npos);  // metal cover: 86.9 mm
    EXPECT_NE(lines[3].find(R"("Ширина канала недостаточна")"), std::string::npos);
    EXPECT_NE(lines[3].find(R"("24")"), std::string::npos);  // over 5000 h: q1 = 24
    EXPECT_NE(lines[4].find("the type must be 1 to 5"), std::string::npos);
    EXPECT_NE(lines[5].find("type 1 has no field for slot 7"), std::string::npos);
    EXPECT_NE(lines[6].find("indoors must be 1 or 0"), std::string::npos);
    EXPECT_NE(lines[7].find("the row has 4 fields"), std::string::npos);
    EXPECT_NE(lines[8].find("Диаметр трубы должен быть от 0.032м до 1.420м"), std::string::npos);
    // A row after the broken ones gives the same as the first.
    EXPECT_EQ(lines[9], lines[1]);
    EXPECT_NE(lines[11].find("type 4 has no cover option"), std::string::npos);
    EXPECT_EQ(lines[10].substr(lines[10].find(",\"-20\"")), lines[12].substr(lines[12].find(",\"-20\"")));
}

TEST(CalcTable, UnusableTableIsRefused) {
    const Outcome run = Calc({"--csv", "-"}, "C", "type,colour\n1,red\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown column 'colour'"), std::string::npos);
    EXPECT_EQ(Calc({"--csv", "-"}, "C", "slot1\n20\n").status, 2);
}

}  // namespace
