// Runs the real kaldora-calc binary and checks what it prints and returns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

// `environment`: assignments before the command; `output`: where standard
// output goes instead of a file read back.
Outcome Calc(const std::vector<std::string>& args, const std::string& environment = "LC_ALL=C",
             const std::string& input = "", const std::string& output = "") {
    const std::string& dir = WorkDir();
    const std::string out = output.empty() ? dir + "/calc.out" : output;
    const std::string err = dir + "/calc.err", in = dir + "/calc.in";
    std::ofstream(in, std::ios::binary) << input;
    std::string command = environment + " " + Quote(KALDORA_CALC);
    for (const auto& a : args) command += " " + Quote(a);
    command += " <" + in + " >" + out + " 2>" + err;
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, output.empty() ? ReadFile(out) : "", ReadFile(err)};
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
        HumanCase{
            "Type2Initial", {"--type", "2"}, kZero + "При заданном перепаде температур\n конденсация исключена\n"},
        HumanCase{"Type3Initial",
                  {"--type", "3"},
                  kZero + "Температура на поверхности ниже температуры среды\n Расчет невозможен\n"},
        HumanCase{"Type4Initial", {"--type", "4"}, kZero + "При заданных условиях замерзание исключено\n"},
        HumanCase{"Type5Initial", {"--type", "5"}, "Ширина канала недостаточна\nТолщина тепловой изоляции = 23,9 мм\n"},
        HumanCase{"Type1Options", {"--type=1", "--indoors", "--metal"}, "Толщина тепловой изоляции = 79,6 мм\n"},
        HumanCase{"Type1CurrentNorm", {"--type", "1", "--norm", "sp61"}, "Толщина тепловой изоляции = 114,5 мм\n"},
        HumanCase{"CurrentNormDoubtfulCell",
                  {"--type", "1", "--norm", "sp61", "--long-hours", "3=325", "4=100"},
                  "Толщина тепловой изоляции = 75,4 мм\nЯчейка нормы расходится в источниках (таблица 2, Dn 300, "
                  "100 °C): сверьте ее с текстом нормы\n"},
        HumanCase{"Type5LongHours",
                  {"--type", "5", "--long-hours"},
                  "Ширина канала недостаточна\nТолщина тепловой изоляции = 31,4 мм\n"},
        HumanCase{"Type2Typed", {"--type", "2", "1=20", "4=5", "32=60"}, "Толщина тепловой изоляции = 4,8 мм\n"},
        HumanCase{"Type3Typed", {"--type", "3", "4=350", "7=45"}, "Толщина тепловой изоляции = 53,3 мм\n"},
        // The solver's limit: the root by bisection (247,6 mm before).
        HumanCase{"Type3Bisected",
                  {"--type", "3", "1=16,9", "3=33,7", "4=472,4", "7=21,1"},
                  "Толщина тепловой изоляции = 252,3 мм\n"},
        HumanCase{
            "CommaAndPoint", {"--type", "4", "1=-20", "8=5.0", "16=20,0"}, "Толщина тепловой изоляции = 22,6 мм\n"},
        HumanCase{
            "NormRangeRefusal", {"--type", "1", "3=17"}, "Диаметр трубы должен быть от 0.018м до 1.420м\n" + kZero},
        HumanCase{
            "NoLosses", {"--type", "1", "1=400"}, kZero + "При заданных условиях тепловые потери исключены\n" + kZero},
        HumanCase{"FreezeRunaway",
                  {"--type", "4", "1=-40", "3=32", "8=3", "11=5", "16=48"},
                  "Заданы невыполнимые условия\n" + kZero},
        HumanCase{"ChannelSurface",
                  {"--type", "5", "20=0,6", "19=0,3"},
                  "Ошибка в исходных данных\nКанал выходит на поверхность земли\n" + kZero},
        HumanCase{
            "ChannelBlankDiameter", {"--type", "5", "23= "}, "Диаметр трубы должен быть от 0.032м до 1.420м\n" + kZero},
        HumanCase{"ChannelMismatch",
                  {"--type", "5", "17=55"},
                  "Ошибка в исходных данных\nПроверьте соответствие\nдиаметров труб и размеров канала\n" + kZero},
        HumanCase{"Overflow", {"--type", "3", "4=1e308", "7=45"}, kZero + "Ошибка: Floating point overflow\n"},
        HumanCase{"Version", {"--version"}, "kaldora-calc " KALDORA_VERSION "\n"},
        HumanCase{"VersionFirst", {"--version", "--type", "9"}, "kaldora-calc " KALDORA_VERSION "\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ArgumentCase {
    const char* name;
    std::vector<std::string> args;
    const char* message;
    bool argumentsHint = true;  // false: an input that cannot be used, said in one line
};

class CalcArgumentTest : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(CalcArgumentTest, RefusesWithStatusTwo) {
    const Outcome run = Calc(GetParam().args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    // One line naming the problem, then where to look.
    const std::string hint = GetParam().argumentsHint ? "\nTry 'kaldora-calc --help'.\n" : "\n";
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
    ::testing::Values(
        ArgumentCase{"NoType", {"1=20"}, "no calculation type"},
        ArgumentCase{"TypeOutOfRange", {"--type", "6"}, "the type must be 1 to 5"},
        ArgumentCase{"TypeNotANumber", {"--type", "x"}, "not a whole number"},
        ArgumentCase{"TypeWithoutValue", {"--type"}, "--type needs a value"},
        ArgumentCase{"UnknownOption", {"--type", "1", "--verbose"}, "unknown option --verbose"},
        ArgumentCase{"SlotNotShown", {"--type", "1", "7=45"}, "type 1 has no field for slot 7"},
        ArgumentCase{"CoverOnType4", {"--type", "4", "--metal"}, "type 4 has no cover option"},
        ArgumentCase{"HoursOnType3", {"--type", "3", "--long-hours"}, "type 3 has no operating-hours option"},
        ArgumentCase{"PlacementOnType2", {"--type", "2", "--outdoors"}, "type 2 has no placement option"},
        ArgumentCase{"NormOnType3", {"--type", "3", "--norm", "sp61"}, "type 3 has no norm option"},
        ArgumentCase{
            "SupportsUnderHistoricalNorm", {"--type", "1", "--supports", "suspended"}, "belong to the current norm"},
        ArgumentCase{
            "UnknownRegion", {"--type", "1", "--norm", "sp61", "--region", "mars"}, "--region takes europe, urals"},
        ArgumentCase{"IdentityWithoutProtocol", {"--type", "1", "--object", "Котельная"}, "go with --protocol"},
        ArgumentCase{"BadSlotNumber", {"--type", "1", "x=45"}, "not a whole number"},
        ArgumentCase{"NotASlot", {"--type", "1", "45"}, "expected SLOT=TEXT"},
        ArgumentCase{"CsvWithType", {"--csv", "-", "--type", "1"}, "give no --type"},
        ArgumentCase{"ProtocolOfATable", {"--csv", "-", "--protocol", "p.pdf"}, "protocol of one case"},
        ArgumentCase{"SlotTwice", {"--type", "1", "3=108", "3=159"}, "'3=108' and '3=159' contradict each other"},
        ArgumentCase{"TypeTwice", {"--type", "1", "--type", "3"}, "'--type 1' and '--type 3' contradict each other"},
        ArgumentCase{"BothPlacements", {"--type", "1", "--indoors", "--outdoors"}, "'--indoors' and '--outdoors'"},
        ArgumentCase{"NormTwice", {"--type", "1", "--norm", "sp61", "--norm", "sp61"}, "'--norm sp61' is given twice"},
        ArgumentCase{"JsonWithTable", {"--csv", "-", "--json"}, "--json does nothing with --csv"},
        ArgumentCase{"TemplateWithMore", {"--template", "en", "--json"}, "--template takes no other argument"},
        ArgumentCase{"DoubleDash", {"--type", "1", "--", "3=108"}, "'--' ends no list here"},
        ArgumentCase{"MissingTable",
                     {"--csv", "/nonexistent/cases.csv"},
                     "cannot read /nonexistent/cases.csv: No such file or directory",
                     false},
        ArgumentCase{"FolderAsTable", {"--csv", "/"}, "cannot read /: Is a directory", false}),
    [](const auto& info) { return std::string(info.param.name); });

struct WriteFailureCase {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    std::string output;  // where standard output goes
    const char* message;
    std::string environment = "LC_ALL=C";
};

class CalcWriteFailureTest : public ::testing::TestWithParam<WriteFailureCase> {};

// A full disk or a path that cannot be written: status 3 and one line naming
// what was not written and why; no hint on the arguments.
TEST_P(CalcWriteFailureTest, EndsWithStatusThree) {
    const WriteFailureCase& c = GetParam();
    const Outcome run = Calc(c.args, c.environment, c.input, c.output.empty() ? WorkDir() + "/calc.out" : c.output);
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, std::string("kaldora-calc: cannot write ") + c.message + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalcWriteFailureTest,
    ::testing::Values(
        WriteFailureCase{"ProtocolOnFullDisk",
                         {"--type", "1", "--protocol", "/dev/full"},
                         "",
                         "",
                         "/dev/full: No space left on device"},
        WriteFailureCase{
            "JsonOnFullDisk", {"--type", "1", "--json"}, "", "/dev/full", "standard output: No space left on device"},
        WriteFailureCase{
            "TableOnFullDisk", {"--csv", "-"}, "type\n1\n", "/dev/full", "standard output: No space left on device"},
        WriteFailureCase{"WorkbookWhereNoFileCanBe",
                         {"--csv", "-", "--xlsx", "/proc/results.xlsx"},
                         "type\n1\n",
                         "",
                         "/proc/results.xlsx: No such file or directory"},
        WriteFailureCase{"WorkbookOnFullDisk",
                         {"--csv", "-", "--xlsx", "/dev/full"},
                         "type\n1\n",
                         "",
                         "/dev/full: No space left on device"},
        WriteFailureCase{
            "ProtocolWithoutItsFont",
            {"--type", "1", "--protocol", "protocol.pdf"},
            "",
            "",
            "protocol.pdf: the font Liberation Sans with Cyrillic letters is not installed (fonts-liberation)",
            "LC_ALL=C FONTCONFIG_FILE=" KALDORA_NO_FONTS}),
    [](const auto& info) { return std::string(info.param.name); });

// The same case computed by the engine in this process.
kaldora::CaseResult EngineResult(int type, std::initializer_list<std::pair<int, std::string>> texts) {
    kaldora::CaseInput input{.type = type};
    input.slotTexts.assign(texts.begin(), texts.end());
    return kaldora::RunCase(input);
}

TEST(CalcJson, NumbersReadBackEqualToTheEngines) {
    const Outcome run = Calc({"--type", "5", "--json", "17=6,5", "23=159"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["type"], 5);
    EXPECT_EQ(json["flags"]["long_hours"], false);
    const kaldora::CaseResult engine = EngineResult(5, {{17, "6,5"}, {23, "159"}});
    EXPECT_EQ(json["slots"]["5"].get<double>(), engine.SlotValue(5).value());
    EXPECT_EQ(json["slots"]["23"].get<double>(), 0.159);
    EXPECT_EQ(json["slots"]["22"].get<double>(), 11.0);
    EXPECT_EQ(json["slots"]["29"].get<double>(), engine.SlotValue(29).value());
    EXPECT_EQ(json["slots"]["30"].get<double>(), engine.SlotValue(30).value());
    EXPECT_EQ(json["thickness_mm"].get<double>(), engine.thicknessMm);
    EXPECT_EQ(json["channel_air_temp_c"].get<double>(), engine.whole.channelAirTemp.value());
    EXPECT_FALSE(json.contains("surface_temp_c"));
    EXPECT_EQ(json["trace"]["passes"].size(), json["trace"]["solves"].size());
    const auto& inputs = json["trace"]["inputs"];
    const auto diameters = std::find_if(inputs.begin(), inputs.end(), [](const auto& in) { return in["slot"] == 23; });
    ASSERT_NE(diameters, inputs.end());
    EXPECT_EQ((*diameters)["unit"], "м");  // typed in mm, read in m
    ASSERT_EQ(json["events"].size(), 2u);
    EXPECT_EQ(json["events"][0]["kind"], "info");
    EXPECT_EQ(json["events"][1]["kind"], "result");
    EXPECT_FALSE(json["slots"].contains("1"));  // not read, not written by type 5
    EXPECT_EQ(json["converged"], true);
}

// Where the method's iterations stop at their limit short of their
// tolerance, the result is the root of the same equation, found by bisection,
// and the JSON says which way it was found: the solver's 505,9 mm was 44 mm
// short of the root (the surface 21,1 °C asked, exactly); the channel's
// passes that wander end in the root of its heat balance.
TEST(CalcJson, UnsettledIterationIsSaid) {
    const Outcome run = Calc({"--type", "3", "--json", "3=57", "7=21,1"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["converged"], false);
    EXPECT_EQ(json["method"], "bisection");
    ASSERT_EQ(json["not_converged"].size(), 1u);
    EXPECT_NE(json["not_converged"][0].get<std::string>().find("найден делением отрезка пополам"), std::string::npos);
    EXPECT_NEAR(json["thickness_mm"].get<double>(), 550.257, 0.001);
    EXPECT_NEAR(json["surface_temp_c"].get<double>(), 21.1, 1e-9);
    EXPECT_LT(std::fabs(json["trace"]["solves"].back()["residual"].get<double>()), 1e-12);
    EXPECT_FALSE(json.contains("warnings"));  // 550 mm is thick, not absurd
    const auto channel = nlohmann::json::parse(
        Calc({"--type", "5", "--json", "17=4", "18=0,35", "19=3,1", "20=1,42", "21=0,57", "23=159", "24=110", "27=42"})
            .out);
    EXPECT_EQ(channel["method"], "bisection");
    EXPECT_GT(channel["channel_air_temp_c"].get<double>(), 4.0);
    EXPECT_LT(channel["channel_air_temp_c"].get<double>(), 110.0);
    EXPECT_LT(std::fabs(channel["trace"]["values"].back()["value"].get<double>()), 1e-9);  // the balance's residual
    // Half a degree above the air asks for more than a metre: said.
    const auto absurd = nlohmann::json::parse(Calc({"--type", "3", "--json", "7=20,5"}).out);
    EXPECT_EQ(absurd["warnings"][0], "Толщина изоляции больше 1 м: проверьте исходные данные");
}

// Under the current norm the JSON says where the normed flux came from;
// under the historical tables it has no such key, as before.
TEST(CalcJson, CurrentNormNamesItsSources) {
    const Outcome run =
        Calc({"--type", "1", "--json", "--norm", "sp61", "--long-hours", "--region", "urals", "3=325", "4=100"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto norm = nlohmann::json::parse(run.out)["norm"];
    EXPECT_EQ(norm["document"], "СП 61.13330.2012");
    EXPECT_EQ(norm["table"], 2);
    EXPECT_EQ(norm["rows"][1]["dn_mm"], 300.0);
    EXPECT_EQ(norm["rows"][1]["outer_mm"], 325.0);
    EXPECT_EQ(norm["cells"][1][1], 64.0);
    EXPECT_EQ(norm["q"].get<double>(), 0.98 * 64 / 1.15);
    EXPECT_EQ(norm["check"].size(), 1u);
    EXPECT_FALSE(nlohmann::json::parse(Calc({"--type", "1", "--json"}).out).contains("norm"));
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
    EXPECT_TRUE(json["surface_temp_c"].is_null() && json["heat_flux_w_per_m"].is_null());
    EXPECT_TRUE(json["trace"]["refused"].get<bool>());
}

// The protocol needs no display and no platform setting.
TEST(CalcProtocol, IsWrittenWithoutADisplay) {
    const std::string pdf = WorkDir() + "/protocol.pdf";
    const std::string command = "env -u DISPLAY -u QT_QPA_PLATFORM " + Quote(KALDORA_CALC) +
                                " --type 3 4=350 7=45,5 --organisation 'ООО Теплопроект' --protocol " + Quote(pdf) +
                                " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string text = WorkDir() + "/protocol.txt";
    ASSERT_EQ(std::system(("pdftotext " + Quote(pdf) + " " + Quote(text)).c_str()), 0);
    const std::string read = ReadFile(text);
    EXPECT_NE(read.find("45,5 °C"), std::string::npos) << read;  // as typed
    EXPECT_NE(read.find("Результаты"), std::string::npos);
    EXPECT_NE(read.find("Нормативная база"), std::string::npos);
    EXPECT_NE(read.find("ООО Теплопроект"), std::string::npos);
    // The same inputs on the same day: the same bytes.
    const std::string first = ReadFile(pdf);
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(first == ReadFile(pdf));
}

TEST(CalcLocale, RussianLocaleGivesTheSameOutput) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--type", "3", "4=350,5", "7=45.5", "--json"}, {"--type", "1", "1=20.5"}, {"--type", "5"}}) {
        const Outcome c = Calc(args, "LC_ALL=C");
        const Outcome ru = Calc(args, "LC_ALL=ru_RU.UTF-8");
        EXPECT_EQ(c.status, 0);
        EXPECT_EQ(ru.out, c.out);
    }
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream s(text);
    for (std::string line; std::getline(s, line);) lines.push_back(line);
    return lines;
}

TEST(CalcTable, MixedRowsAreComputedIndependently) {
    const std::string table =
        "type,indoors,metal,long_hours,slot1,slot3,slot4,slot7,slot17,slot23\n"
        "1,,,,20,108,350,,,\n"
        "3,,1,,20,108,350,45,,\n"
        "5,,,1,,,,,5,108\n"
        "7,,,,,,,,,\n"
        "1,,,,20,108,350,45,,\n"
        "2,maybe,,,,,,,,\n"
        "1,1,,,20,108,350\n"
        "5,,,,,,,,55,\" \"\n"
        "1,,,,20,108,350,,,\n"
        "4,0,нет,,-20,108,,,,\n"  // options type 4 lacks, left off
        "4,,1,,-20,108,,,,\n"
        "4,,,,-20,108,,,,\n"
        ",,,,,,,,,\n"                         // a row of empty cells is no case
        "1,,,,20,,350,,,\n"                   // an empty cell is no number, never the initial text
        "1,,,,\"1,5\",108,350,,,\n"           // commas separate the cells: no decimal comma
        "1,\"да\xC2\xA0\",,,20,108,350,,,\n"  // option words take the blanks numbers take
        "1,,,,20,\"1,020\",350,,,\n"          // digits grouped by a comma
        "1,,,,20,1020,350,,,\n";
    const Outcome run = Calc({"--csv", "-"}, "LC_ALL=ru_RU.UTF-8", table);
    EXPECT_EQ(run.status, 1) << run.err;  // some rows had errors, the rest computed
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 18u) << run.out;
    EXPECT_EQ(lines[0],
              "type,indoors,metal,long_hours,slot1,slot3,slot4,slot7,slot17,slot23,thickness_mm,"
              "norm_w_per_m,loss_supply_w_per_m,loss_return_w_per_m,surface_temp_c,heat_flux_w_per_m,"
              "channel_air_temp_c,messages,error");
    EXPECT_NE(lines[1].find(",146,"), std::string::npos);   // the norm of type 1
    EXPECT_EQ(lines[1].substr(lines[1].size() - 2), ",,");  // no messages, no error
    EXPECT_NE(lines[2].find(",86.9"), std::string::npos);   // metal cover: 86.9 mm
    EXPECT_NE(lines[3].find(",Ширина канала недостаточна,"), std::string::npos);
    EXPECT_NE(lines[3].find(",24,"), std::string::npos);  // over 5000 h: q1 = 24
    EXPECT_NE(lines[4].find("the type must be 1 to 5"), std::string::npos);
    EXPECT_NE(lines[5].find("type 1 has no field 'surface_temp'"), std::string::npos);
    EXPECT_NE(lines[6].find("indoors must be 1 or 0"), std::string::npos);
    // A row that ends early has its missing cells empty, as a spreadsheet means.
    EXPECT_NE(lines[7].find(",140,"), std::string::npos);  // indoors: the norm 140 W/m
    EXPECT_EQ(lines[7].substr(lines[7].size() - 2), ",,");
    EXPECT_NE(lines[8].find("Диаметр трубы должен быть от 0.032м до 1.420м"), std::string::npos);
    EXPECT_NE(lines[8].find(",\" \","), std::string::npos);  // the blank item keeps its quotes
    // A row after the broken ones gives the same as the first.
    EXPECT_EQ(lines[9], lines[1]);
    EXPECT_NE(lines[11].find("type 4 has no cover option"), std::string::npos);
    EXPECT_EQ(lines[10].substr(lines[10].find(",-20")), lines[12].substr(lines[12].find(",-20")));
    EXPECT_EQ(lines[13].substr(lines[13].rfind(',')), ",slot3: empty");
    EXPECT_NE(lines[14].find("air_temp: '1,5' is not a number (commas separate the cells"), std::string::npos);
    EXPECT_EQ(lines[15].substr(lines[15].find(",20,")), lines[7].substr(lines[7].find(",20,")));
    EXPECT_EQ(lines[16].substr(lines[16].find(",350,")), lines[17].substr(lines[17].find(",350,")));
    // Fields without a column keep their initial texts, and the run says so.
    EXPECT_NE(run.err.find("; soil_conductivity = 1,8 (type 5);"), std::string::npos) << run.err;
}

// Tables as spreadsheets save them: the result comes back in the input's
// dialect and language.
struct DialectCase {
    const char* name;
    std::string table;
    std::string header;  // of the result, up to the first result column
    std::string firstRow;
    std::string lineEnd;
};

class CalcTableDialectTest : public ::testing::TestWithParam<DialectCase> {};

TEST_P(CalcTableDialectTest, ComesBackInItsDialect) {
    const Outcome run = Calc({"--csv", "-"}, "LC_ALL=C", GetParam().table);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_GE(lines.size(), 2u) << run.out;
    EXPECT_EQ(lines[0].substr(0, GetParam().header.size()), GetParam().header);
    EXPECT_EQ(lines[1].substr(0, GetParam().firstRow.size()), GetParam().firstRow);
    EXPECT_EQ(lines[0].back() == '\r', !GetParam().lineEnd.empty());
}

const std::string kBom = "\xEF\xBB\xBF";
const std::string kRussianHeader = "Участок;Вид расчета;Диаметр трубопровода, мм;Температура воздуха, °C";

INSTANTIATE_TEST_SUITE_P(
    Cases, CalcTableDialectTest,
    ::testing::Values(DialectCase{"ExcelRussian", kBom + kRussianHeader + "\r\nУ-1;1;108;20,5\r\n",
                                  kBom + kRussianHeader + ";Толщина изоляции, мм;Норма теплового потока, Вт/м",
                                  "У-1;1;108;20,5;78,7", "\r"},
                      DialectCase{"EnglishNames", "section,type,diameter_mm,air_temp\n\"A, 1\",1,108,20.5\n",
                                  "section,type,diameter_mm,air_temp,thickness_mm,norm_w_per_m",
                                  "\"A, 1\",1,108,20.5,78.7", ""},
                      DialectCase{"Tabs", "type\tslot3\tmetal\n3\t159\ttrue\n", "type\tslot3\tmetal\tthickness_mm",
                                  "3\t159\ttrue\t\t", ""},  // refused: no thickness, not 0
                      DialectCase{"MixedTitles", "type,\"Диаметр трубопровода, мм\",length_m\n5,159,10\n",
                                  "type,\"Диаметр трубопровода, мм\",length_m,\"Толщина изоляции, мм\"", "5,159,10,",
                                  ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Lengths give the insulation's volume and cover, summed in a closing row;
// the expected values are worked out by hand from the printed thicknesses
// (type 3: 53,3 mm on 108 mm; type 5: 23,9 mm on both 108 mm pipes).
TEST(CalcTable, QuantitiesAndTotals) {
    const Outcome run = Calc({"--csv", "-"}, "LC_ALL=C",
                             "Участок;Вид расчета;Температура теплоносителя, °C;"
                             "Температура на поверхности, °C;Длина участка, м\n"
                             "A;3;350;45;100\nB;5;;;10\nC;1;350;;\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 5u) << run.out;
    EXPECT_NE(lines[0].find(";Объем изоляции, м³;Площадь покрытия, м²;Сообщения;Ошибка"), std::string::npos);
    const auto cells = [](const std::string& line) {
        std::vector<std::string> c;
        std::istringstream s(line);
        for (std::string cell; std::getline(s, cell, ';');) c.push_back(cell);
        return c;
    };
    const auto number = [](const std::string& text) {
        return std::stod(text.empty() ? "nan" : std::string(text).replace(text.find(','), 1, "."));
    };
    // x = 0,108 + 2·0,0533 = 0,2146: V = π/4·(0,2146² − 0,108²)·100 = 2,701; S = π·0,2146·100 = 67,42
    const auto a = cells(lines[1]);
    EXPECT_NEAR(number(a[12]), 2.701, 0.005);
    EXPECT_NEAR(number(a[13]), 67.42, 0.05);
    // x = 0,108 + 2·0,0239 = 0,1558, two pipes: V = 2·π/4·(0,1558² − 0,108²)·10 = 0,1981; S = 2·π·0,1558·10 = 9,789
    const auto b = cells(lines[2]);
    EXPECT_NEAR(number(b[12]), 0.1981, 0.0005);
    EXPECT_NEAR(number(b[13]), 9.789, 0.01);
    const auto c = cells(lines[3]);  // no length: no quantities
    EXPECT_EQ(c[12], "");
    const auto total = cells(lines[4]);
    EXPECT_EQ(total[0], "ИТОГО");
    EXPECT_DOUBLE_EQ(number(total[12]), number(a[12]) + number(b[12]));
    EXPECT_DOUBLE_EQ(number(total[13]), number(a[13]) + number(b[13]));
    // The results read back as a table: the result columns and the totals
    // row are passed over and everything is computed again, the same.
    const Outcome again = Calc({"--csv", "-"}, "LC_ALL=C", run.out);
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, run.out);
}

// Result cells hold only what the calculation found: each outcome fills its
// own cells ("x") and leaves the rest empty ("-"), never a 0 in their place.
TEST(CalcTable, EachOutcomeFillsOnlyItsCells) {
    const Outcome run = Calc({"--csv", "-"}, "LC_ALL=C",
                             "type,air_temp,diameter_mm,medium_temp,surface_temp,length_m\n"
                             "1,20,108,350,,10\n"      // found
                             "1,20,108,15,,10\n"       // no losses: no insulation needed
                             "1,20,5000,350,,10\n"     // refused
                             "3,20,108,350,20.5,10\n"  // over 1 m: no quantities
                             "3,20,108,30,45,10\n");   // no insulation needed
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 7u) << run.out;
    // thickness, norm, both losses, surface, flux, channel air, volume, cover, messages, error
    const char* const expected[] = {"xx--xx-xx--", "x--------x-", "---------x-", "x---xx---x-", "x--------x-"};
    for (std::size_t row = 0; row < std::size(expected); ++row) {
        std::vector<std::string> cells(1);
        bool quoted = false;
        for (const char c : lines[row + 1]) {
            if (c == '"') quoted = !quoted;
            if (c == ',' && !quoted)
                cells.emplace_back();
            else
                cells.back() += c;
        }
        ASSERT_EQ(cells.size(), 17u) << lines[row + 1];
        std::string filled;
        for (std::size_t i = 6; i < cells.size(); ++i) filled += cells[i].empty() ? '-' : 'x';
        EXPECT_EQ(filled, expected[row]) << lines[row + 1];
    }
    EXPECT_EQ(lines[2].substr(0, 22), "1,20,108,15,,10,0,,,,,");  // the thickness 0 and nothing else
    // Read back, the sums in the type column (there is no section column)
    // are no case: the same table comes out again.
    EXPECT_EQ(Calc({"--csv", "-"}, "LC_ALL=C", run.out).out, run.out);
}

// Numbers and options as Russian spreadsheets and word processors write
// them read as meant; anything else is its row's error, never a guess. The
// header is matched as a person reads it: letter case, doubled or no-break
// blanks, a Cyrillic С in °C and empty cells at its end do not matter.
TEST(CalcTable, CellsReadAsMeantOrNotAtAll) {
    const std::string table =
        "ВИД  РАСЧЕТА;Температура воздуха,\xC2\xA0°С;Диаметр трубопровода, мм;В помещении;;\r\n"
        "4;-20;1020;;\r\n"
        "4;\xE2\x88\x92"
        "20;1\xC2\xA0"
        "020;;\r\n"  // U+2212 minus, a no-break space between groups
        "4;\xE2\x80\x93"
        "20;1 020\r\n"  // an en dash; a row without its empty cells
        "4;-20 град;1020;;\r\n"
        "1;10;108;ИСТИНА;\r\n"
        "1;10;108;1;\r\n"
        "1;10;108;Ложь;\r\n"
        "1;10;108;0;\r\n";
    const Outcome run = Calc({"--csv", "-"}, "LC_ALL=C", table);
    EXPECT_EQ(run.status, 1) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 9u) << run.out;
    // The result cells: all after the four input cells.
    const auto results = [&](std::size_t i) {
        std::size_t at = 0;
        for (int cell = 0; cell < 4; ++cell) at = lines[i].find(';', at) + 1;
        return lines[i].substr(at);
    };
    EXPECT_EQ(results(2), results(1));
    EXPECT_EQ(results(3), results(1));
    EXPECT_NE(lines[4].find("Температура воздуха, °C: «-20 град» не число"), std::string::npos) << lines[4];
    EXPECT_EQ(results(5), results(6));  // ИСТИНА is 1
    EXPECT_EQ(results(7), results(8));  // Ложь is 0
    EXPECT_NE(results(5), results(7));
}

// A Russian spreadsheet's "CSV" is Windows-1251 and its "Текст Юникод"
// UTF-16LE with tabs: both are read and come back in their encoding, as the
// same table in UTF-8 comes back.
TEST(CalcTable, EncodingsComeBackAsTheyCame) {
    const auto utf16 = [](const std::string& ascii) {
        std::string wide = "\xFF\xFE";
        for (const char c : ascii) wide += std::string{c, '\0'};
        return wide;
    };
    const auto narrow = [](const std::string& wide) {  // ASCII back out of UTF-16LE
        std::string ascii;
        for (std::size_t i = 2; i < wide.size(); i += 2) ascii += wide[i];
        return ascii;
    };
    const std::string rows =
        "section;type;diameter_mm;medium_temp;length_m\n"
        "S-1;1;108;150;12,5\n";
    const Outcome utf8 = Calc({"--csv", "-"}, "LC_ALL=C", rows);
    ASSERT_EQ(utf8.status, 0) << utf8.err;

    std::string cp1251 = rows;
    cp1251.replace(cp1251.find("S-1"), 1, "\xD3");  // "У" in Windows-1251
    const Outcome windows = Calc({"--csv", "-"}, "LC_ALL=C", cp1251);
    EXPECT_EQ(windows.status, 0) << windows.err;
    std::string expected = utf8.out;
    expected.replace(expected.find("S-1"), 1, "\xD3");
    EXPECT_EQ(windows.out, expected);

    std::string tabs = rows;
    std::replace(tabs.begin(), tabs.end(), ';', '\t');
    const Outcome unicode = Calc({"--csv", "-"}, "LC_ALL=C", utf16(tabs));
    EXPECT_EQ(unicode.status, 0) << unicode.err;
    ASSERT_EQ(unicode.out.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(narrow(unicode.out), Calc({"--csv", "-"}, "LC_ALL=C", tabs).out);  // as the same table in UTF-8

    // A mark before Windows-1251 is no text; UTF-8 that goes on in another
    // encoding after the first bytes stops the run rather than echo them.
    EXPECT_EQ(Calc({"--csv", "-"}, "LC_ALL=C", kBom + cp1251).out, windows.out);
    std::string mixed = rows;
    for (int i = 0; i < 5000; ++i) mixed += "S-1;1;108;150;12,5\n";
    const Outcome broken = Calc({"--csv", "-"}, "LC_ALL=C", mixed + "\xD3-2;1;108;150;1\n");
    EXPECT_EQ(broken.status, 2);
    EXPECT_NE(broken.err.find("UTF-8 at its start and not further on"), std::string::npos) << broken.err;
}

// Cells no spreadsheet should hold are each their row's business.
TEST(CalcTable, HostileRowsStayInTheirRows) {
    const std::string huge(2 << 20, 'x');
    const std::string wide(2000, ',');
    const std::string table = "section,type,diameter_mm\n" + huge + ",1,108\n" + std::string("nul\0,1,108\n", 12) +
                              "short\n" + "a,1,108,extra\n" + wide + "\n" + "b,1,\"108\n" + "after,1,108\n";
    const Outcome run = Calc({"--csv", "-"}, "LC_ALL=C", table);
    EXPECT_EQ(run.status, 1) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_NE(lines[1].find("a cell is longer than 1 MB"), std::string::npos);
    EXPECT_EQ(lines[2].substr(0, 4), std::string("nul\0", 4));
    EXPECT_NE(lines[3].find("the type must be 1 to 5, not ''"), std::string::npos);  // its other cells empty
    EXPECT_NE(lines[4].find("the row has 4 fields, the header 3"), std::string::npos);
    EXPECT_NE(lines[5].find("the row has more than 1000 cells"), std::string::npos);
    EXPECT_NE(lines[6].find("the quote opened on line 7 is not closed"), std::string::npos);
    EXPECT_EQ(lines[7].substr(0, 12), "after,1,108,");  // read again, and computed
    EXPECT_EQ(lines[7].find("not closed"), std::string::npos);

    // A quote closed and followed by a letter exactly where the reader's
    // first 64 KiB end: the field stays open, and the rows after it still
    // come back as rows.
    const std::string header = "section,type,diameter_mm\n";
    const std::string boundary =
        header + std::string(65536 - header.size() - 16, 'P') + ",1,108\n" + "b,1,\"108\"" + "c\nafter,1,108\n";
    const auto split = Lines(Calc({"--csv", "-"}, "LC_ALL=C", boundary).out);
    ASSERT_EQ(split.size(), 4u);
    EXPECT_NE(split[2].find("the quote opened on line 3 is not closed"), std::string::npos);
    EXPECT_EQ(split[3].substr(0, 12), "after,1,108,");

    // Lines ended by CR alone, as old spreadsheets for the Mac save: the open
    // quote names its own line, and every row after it is computed.
    std::string mac = "section,type,diameter_mm\rb,1,\"108\r";
    for (int i = 0; i < 1000; ++i) mac += "r" + std::to_string(i) + ",1,108\r";
    const auto rows = Lines(Calc({"--csv", "-"}, "LC_ALL=C", mac).out);
    ASSERT_EQ(rows.size(), 1002u);
    EXPECT_NE(rows[1].find("the quote opened on line 2 is not closed"), std::string::npos);
    EXPECT_EQ(rows[1001].substr(0, 11), "r999,1,108,");
}

TEST(CalcTable, TemplatesReadBack) {
    for (const char* language : {"ru", "en"}) {
        const Outcome blank = Calc({"--template", language});
        ASSERT_EQ(blank.status, 0) << blank.err;
        const Outcome run = Calc({"--csv", "-"}, "LC_ALL=C", blank.out);
        EXPECT_EQ(run.status, 0) << language << ": " << run.err;
        EXPECT_EQ(Lines(run.out).size(), 2u) << run.out;  // the header and the empty totals
    }
}

struct HeaderCase {
    const char* name;
    std::string table;
    const char* message;
};

std::string Repeated(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i) repeated += text;
    return repeated;
}

class CalcTableHeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(CalcTableHeaderTest, UnusableHeaderIsRefusedBeforeAnyRow) {
    const Outcome run = Calc({"--csv", "-"}, "LC_ALL=C", GetParam().table);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalcTableHeaderTest,
    ::testing::Values(HeaderCase{"Unknown", "type,colour\n1,red\n", "unknown column 'colour'"},
                      HeaderCase{"NoType", "slot1\n20\n", "no column 'type'"},
                      HeaderCase{"DiameterTwice", "type,diameter_mm,slot3\n1,108,108\n",
                                 "two columns for one field: 'diameter_mm' and 'slot3'"},
                      HeaderCase{"NameAndTitle", "type;air_temp;Температура воздуха, °C\n1;20;20\n",
                                 "two columns for one field: 'air_temp' and 'Температура воздуха, °C'"},
                      HeaderCase{"HugeSlot", "type,slot99999999999999\n1,2\n", "unknown column 'slot99999999999999'"},
                      HeaderCase{"SlotWithoutField", "type,slot2\n1,2\n", "unknown column 'slot2'"},
                      HeaderCase{"EmptyName", "type,,slot3\n1,,108\n", "column 2 of the header has no name"},
                      HeaderCase{"Empty", "", "the table is empty"},
                      HeaderCase{"HundredThousandColumns", "type" + Repeated(",slot1", 100000) + "\n1\n",
                                 "the header: the row has more than 1000 cells"},
                      HeaderCase{"Binary", std::string("\x00\xff\x01,type\n", 9), "binary data, not a table"},
                      HeaderCase{"Utf16WithoutItsMark", std::string("t\0y\0p\0e\0\n\0001\0\n\0", 14),
                                 "UTF-16 text without a byte-order mark"},
                      HeaderCase{"OldExcel", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + std::string(504, '\0'),
                                 "an Excel 97–2003 workbook (.xls): save it as .xlsx or CSV"},
                      HeaderCase{"OpenDocument",
                                 std::string("PK\x03\x04", 4) + std::string(26, '\0') +
                                     "mimetypeapplication/vnd.oasis.opendocument.spreadsheet",
                                 "an OpenDocument spreadsheet (.ods)"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
