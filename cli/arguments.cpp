#include "cli/arguments.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace kaldora::cli {

const char kUsage[] =
    "usage: kaldora-calc --type N [options] [SLOT=TEXT ...]\n"
    "       kaldora-calc --csv FILE|- [--xlsx BOOK.xlsx]\n"
    "       kaldora-calc --template ru|en\n"
    "       kaldora-calc --help | --version\n"
    "\n"
    "  --type 1..5                 1 heat-loss norm, 2 condensation, 3 surface temperature,\n"
    "                              4 freeze protection, 5 two-pipe channel\n"
    "  --indoors | --outdoors      placement (types 1 and 3; type 2 is always indoors)\n"
    "  --metal | --nonmetal        cover layer (types 1 to 3)\n"
    "  --long-hours | --short-hours  over 5000 / up to 5000 operating hours a year (types 1, 5)\n"
    "  --norm historical|sp61      type 1: the program's historical norm tables (the default)\n"
    "                              or the current norm СП 61.13330.2012, with\n"
    "  --supports movable|suspended|nonmetal|none   its coefficient K (default movable)\n"
    "  --region europe|urals|west-siberia|east-siberia|far-east|far-north\n"
    "                              its regional coefficient K1 (default europe)\n"
    "  SLOT=TEXT                   the text of a field as typed, e.g. 3=108 1=20,5\n"
    "  --json                      one JSON object instead of the window's texts, with the\n"
    "                              surface temperature, heat flux and the calculation's trace\n"
    "  --protocol FILE.pdf         also write the calculation protocol (A4, Russian) as PDF\n"
    "  --object TEXT, --section TEXT, --executor TEXT, --checker TEXT\n"
    "                              what the protocol is for and who made and checked it\n"
    "  --organisation TEXT, --project TEXT, --document TEXT\n"
    "                              optionally, the organisation, project code and document number\n"
    "  --csv FILE                  a table of pipe sections (\"-\": standard input), saved by a\n"
    "                              spreadsheet with \";\", \",\" or tab; columns by English name,\n"
    "                              Russian title or slotN (see --template); writes the results\n"
    "                              as CSV in the same dialect\n"
    "  --xlsx BOOK.xlsx            with --csv: the results as an Excel workbook instead\n"
    "  --template ru|en            an empty table with every column, to fill in\n"
    "  -h, --help                  this text\n"
    "  --version                   the program's version\n"
    "\n"
    "Exit status: 0 computed (a refused calculation is an answer too), 1 some table rows\n"
    "had errors (each says why in its row), 2 unusable arguments, table header or input\n"
    "(unreadable, or the output itself), 3 an output could not be written (a full disk,\n"
    "a folder without write permission); a file written by name is then left as it was.\n";

namespace {

int ParseInt(const std::string& text, const std::string& what) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        throw ArgumentError{what + " is not a whole number: '" + text + "'"};
    return value;
}

template <typename Choice>
Choice ParseChoice(const std::string& option, const std::string& word) {
    if (const std::optional<Choice> choice = ChoiceFromWord<Choice>(word)) return *choice;
    std::string words;
    for (const auto& text : ChoiceTexts(Choice{})) words += (words.empty() ? "" : ", ") + std::string(text.word);
    throw ArgumentError{option + " takes " + words + ", not '" + word + "'"};
}

}  // namespace

// Remembers which argument set each setting, so that a second one, alike or
// contrary, is refused naming both instead of silently winning.
class Settings {
public:
    void Set(const std::string& setting, const std::string& argument) {
        const auto [it, first] = given_.emplace(setting, argument);
        if (first) return;
        if (it->second == argument) throw ArgumentError{"'" + argument + "' is given twice"};
        throw ArgumentError{"'" + it->second + "' and '" + argument + "' contradict each other"};
    }
    bool Has(const std::string& setting) const { return given_.count(setting) > 0; }
    // The first argument other than those of `except`, or empty.
    std::string Other(std::initializer_list<std::string_view> except) const {
        for (const auto& [setting, argument] : given_)
            if (std::find(except.begin(), except.end(), setting) == except.end()) return argument;
        return {};
    }

private:
    std::map<std::string, std::string, std::less<>> given_;
};

Arguments ParseArguments(const std::vector<std::string>& args) {
    Arguments a;
    Settings given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&](const char* option) -> std::string {
            if (i + 1 >= args.size()) throw ArgumentError{std::string(option) + " needs a value"};
            const std::string& text = args[++i];
            given.Set(option, std::string(option) + " " + text);
            return text;
        };
        if (arg == "--help" || arg == "-h") {
            a.mode = Arguments::Mode::Help;
            return a;
        } else if (arg == "--version") {
            a.mode = Arguments::Mode::Version;
            return a;
        } else if (arg == "--type") {
            a.input.type = ParseInt(value("--type"), "the type");
        } else if (arg.rfind("--type=", 0) == 0) {
            given.Set("--type", arg);
            a.input.type = ParseInt(arg.substr(7), "the type");
        } else if (arg == "--indoors" || arg == "--outdoors") {
            given.Set("placement", arg);
            a.input.indoors = arg == "--indoors";
        } else if (arg == "--metal" || arg == "--nonmetal") {
            given.Set("cover", arg);
            a.input.metal = arg == "--metal";
        } else if (arg == "--long-hours" || arg == "--short-hours") {
            given.Set("hours", arg);
            a.input.longHours = arg == "--long-hours";
        } else if (arg == "--norm") {
            a.input.norm = ParseChoice<NormSet>(arg, value("--norm"));
        } else if (arg == "--supports") {
            a.input.supports = ParseChoice<Supports>(arg, value("--supports"));
        } else if (arg == "--region") {
            a.input.region = ParseChoice<Region>(arg, value("--region"));
        } else if (arg == "--json") {
            given.Set(arg, arg);
            a.json = true;
        } else if (arg == "--csv") {
            a.mode = Arguments::Mode::Table;
            a.tablePath = value("--csv");
        } else if (arg == "--protocol") {
            a.protocolPath = value("--protocol");
            if (a.protocolPath.empty()) throw ArgumentError{"--protocol needs a file name"};
        } else if (arg == "--object") {
            a.object = value("--object");
        } else if (arg == "--section") {
            a.section = value("--section");
        } else if (arg == "--executor") {
            a.executor = value("--executor");
        } else if (arg == "--checker") {
            a.checker = value("--checker");
        } else if (arg == "--organisation") {
            a.organisation = value("--organisation");
        } else if (arg == "--project") {
            a.project = value("--project");
        } else if (arg == "--document") {
            a.document = value("--document");
        } else if (arg == "--xlsx") {
            a.workbookPath = value("--xlsx");
            if (a.workbookPath.empty()) throw ArgumentError{"--xlsx needs a file name"};
        } else if (arg == "--template") {
            const std::string language = value("--template");
            if (language != "ru" && language != "en")
                throw ArgumentError{"--template takes ru or en, not '" + language + "'"};
            a.mode = Arguments::Mode::Template;
            a.templateTitles = language == "ru" ? Titles::Russian : Titles::English;
        } else if (arg == "--") {
            throw ArgumentError{"'--' ends no list here: kaldora-calc takes only options and SLOT=TEXT"};
        } else if (arg.rfind("--", 0) == 0) {
            throw ArgumentError{"unknown option " + arg};
        } else if (const auto eq = arg.find('='); eq != std::string::npos) {
            const int slot = ParseInt(arg.substr(0, eq), "the slot in '" + arg + "'");
            given.Set("slot " + std::to_string(slot), arg);
            a.input.slotTexts.emplace_back(slot, arg.substr(eq + 1));
        } else {
            throw ArgumentError{"expected SLOT=TEXT, got '" + arg + "'"};
        }
    }
    if (const std::string other = given.Other({"--template"}); given.Has("--template") && !other.empty())
        throw ArgumentError{"--template takes no other argument, not '" + other + "'"};
    if (given.Has("--csv") && given.Has("--json")) throw ArgumentError{"--json does nothing with --csv"};
    if (!a.workbookPath.empty() && a.mode != Arguments::Mode::Table)
        throw ArgumentError{"--xlsx writes the results of a --csv table"};
    if (a.protocolPath.empty() && !(a.object.empty() && a.section.empty() && a.executor.empty() && a.checker.empty() &&
                                    a.organisation.empty() && a.project.empty() && a.document.empty()))
        throw ArgumentError{
            "--object, --section, --executor, --checker, --organisation, --project and --document go with "
            "--protocol"};
    if (!a.protocolPath.empty() && a.mode != Arguments::Mode::OneCase)
        throw ArgumentError{"--protocol writes the protocol of one case (--type)"};
    if (a.mode == Arguments::Mode::Template) return a;
    if (a.mode == Arguments::Mode::Table) {
        if (given.Has("--type") || !a.input.slotTexts.empty() || a.input.indoors || a.input.metal ||
            a.input.longHours || a.input.norm || a.input.supports || a.input.region)
            throw ArgumentError{"--csv takes its cases from the table; give no --type, options or slots"};
        return a;
    }
    if (!given.Has("--type")) throw ArgumentError{"no calculation type: give --type 1..5"};
    if (const std::string problem = CheckCase(a.input); !problem.empty()) throw ArgumentError{problem};
    return a;
}

}  // namespace kaldora::cli
