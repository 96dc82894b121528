#include "cli/arguments.h"

#include <charconv>

namespace kaldora::cli {

const char kUsage[] =
    "usage: kaldora-calc --type N [options] [SLOT=TEXT ...]\n"
    "       kaldora-calc --csv FILE|-\n"
    "       kaldora-calc --help | --version\n"
    "\n"
    "  --type 1..5                 1 heat-loss norm, 2 condensation, 3 surface temperature,\n"
    "                              4 freeze protection, 5 two-pipe channel\n"
    "  --indoors | --outdoors      placement (types 1 and 3; type 2 is always indoors)\n"
    "  --metal | --nonmetal        cover layer (types 1 to 3)\n"
    "  --long-hours | --short-hours  over 5000 / up to 5000 operating hours a year (types 1, 5)\n"
    "  SLOT=TEXT                   the text of a field as typed, e.g. 3=108 1=20,5\n"
    "  --json                      one JSON object instead of the window's texts\n"
    "  --csv FILE                  a table of cases with the columns type, indoors, metal,\n"
    "                              long_hours, slot1, slot3, ...; writes a table of results\n"
    "  -h, --help                  this text\n"
    "  --version                   the program's version\n"
    "\n"
    "Exit status: 0 computed (a refused calculation is an answer too), 2 unusable arguments.\n";

namespace {

int ParseInt(const std::string& text, const std::string& what) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        throw ArgumentError{what + " is not a whole number: '" + text + "'"};
    return value;
}

}  // namespace

std::optional<bool> ParseFlag(const std::string& name, const std::string& text) {
    if (text.empty()) return std::nullopt;
    if (text == "1" || text == "yes" || text == "да") return true;
    if (text == "0" || text == "no" || text == "нет") return false;
    throw ArgumentError{name + " must be 1 or 0, not '" + text + "'"};
}

Arguments ParseArguments(const std::vector<std::string>& args) {
    Arguments a;
    bool typeGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&](const char* option) -> std::string {
            if (i + 1 >= args.size()) throw ArgumentError{std::string(option) + " needs a value"};
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            a.mode = Arguments::Mode::Help;
            return a;
        } else if (arg == "--version") {
            a.mode = Arguments::Mode::Version;
            return a;
        } else if (arg == "--type") {
            a.input.type = ParseInt(value("--type"), "the type");
            typeGiven = true;
        } else if (arg.rfind("--type=", 0) == 0) {
            a.input.type = ParseInt(arg.substr(7), "the type");
            typeGiven = true;
        } else if (arg == "--indoors" || arg == "--outdoors") {
            a.input.indoors = arg == "--indoors";
        } else if (arg == "--metal" || arg == "--nonmetal") {
            a.input.metal = arg == "--metal";
        } else if (arg == "--long-hours" || arg == "--short-hours") {
            a.input.longHours = arg == "--long-hours";
        } else if (arg == "--json") {
            a.json = true;
        } else if (arg == "--csv") {
            a.mode = Arguments::Mode::Table;
            a.tablePath = value("--csv");
        } else if (arg.rfind("--", 0) == 0) {
            throw ArgumentError{"unknown option " + arg};
        } else if (const auto eq = arg.find('='); eq != std::string::npos) {
            const int slot = ParseInt(arg.substr(0, eq), "the slot in '" + arg + "'");
            a.input.slotTexts[slot] = arg.substr(eq + 1);
        } else {
            throw ArgumentError{"expected SLOT=TEXT, got '" + arg + "'"};
        }
    }
    if (a.mode == Arguments::Mode::Table) {
        if (typeGiven || !a.input.slotTexts.empty() || a.input.indoors || a.input.metal ||
            a.input.longHours)
            throw ArgumentError{"--csv takes its cases from the table; give no --type, options or slots"};
        return a;
    }
    if (!typeGiven) throw ArgumentError{"no calculation type: give --type 1..5"};
    if (const std::string problem = CheckCase(a.input); !problem.empty()) throw ArgumentError{problem};
    return a;
}

}  // namespace kaldora::cli
