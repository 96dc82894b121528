// kaldora-calc: the calculations of the window from a script, one case or a
// whole table of cases.
#include <unistd.h>

#include <QGuiApplication>

#include <cstdio>
#include <iostream>
#include <memory>

#include "cli/arguments.h"
#include "engine/case_run.h"
#include "report/protocol.h"
#include "cli/output.h"
#include "cli/table.h"

namespace {

// The protocol needs Qt's fonts and painting but no display: Qt runs on its
// offscreen platform, whatever the environment says.
void WriteProtocol(const std::string& path, const kaldora::CalcTrace& trace, char* program) {
    char platformOption[] = "-platform";
    char platform[] = "offscreen";
    char* qtArgv[] = {program, platformOption, platform, nullptr};
    int qtArgc = 3;
    const QGuiApplication app(qtArgc, qtArgv);
    if (!kaldora::WriteProtocolPdf(QString::fromStdString(path), trace))
        throw kaldora::cli::ArgumentError{"cannot write the protocol " + path};
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace kaldora;
    using namespace kaldora::cli;
    try {
        const Arguments args = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
        switch (args.mode) {
            case Arguments::Mode::Help: std::cout << kUsage; return 0;
            case Arguments::Mode::Version: std::cout << "kaldora-calc " KALDORA_VERSION "\n"; return 0;
            case Arguments::Mode::OneCase: {
                CalcTrace trace;
                const CaseResult result = RunCase(args.input, &trace);
                std::cout << (args.json ? JsonText(result, &trace) : HumanText(result));
                if (!args.protocolPath.empty()) WriteProtocol(args.protocolPath, trace, argv[0]);
                return 0;
            }
            case Arguments::Mode::Template: WriteTemplate(stdout, args.templateTitles); return 0;
            case Arguments::Mode::Table: {
                std::FILE* in = args.tablePath == "-" ? stdin : std::fopen(args.tablePath.c_str(), "rb");
                if (!in) throw ArgumentError{"cannot open " + args.tablePath};
                const std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(
                    in == stdin ? nullptr : in, std::fclose);
                TableRun run{in, args.workbookPath.empty() ? stdout : nullptr, args.workbookPath,
                             isatty(STDERR_FILENO) ? stderr : nullptr};
                return RunTable(run).errors > 0 ? 1 : 0;
            }
        }
    } catch (const ArgumentError& e) {
        std::cerr << "kaldora-calc: " << e.message << "\nTry 'kaldora-calc --help'.\n";
        return 2;
    }
    return 0;
}
