// kaldora-calc: the calculations of the window from a script, one case or a
// whole table of cases.
#include <unistd.h>

#include <QGuiApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <new>

#include "cli/arguments.h"
#include "cli/output.h"
#include "cli/table.h"
#include "engine/case_run.h"
#include "report/protocol.h"
#include "report/qt_messages.h"

namespace {

// The protocol needs Qt's fonts and painting but no display: Qt runs on its
// offscreen platform, whatever the environment says.
void WriteProtocol(const kaldora::cli::Arguments& args, const kaldora::CalcTrace& trace, char* program) {
    char platformOption[] = "-platform";
    char platform[] = "offscreen";
    char* qtArgv[] = {program, platformOption, platform, nullptr};
    int qtArgc = 3;
    kaldora::DropRuntimeDirWarning();
    const QGuiApplication app(qtArgc, qtArgv);
    const auto q = [](const std::string& text) { return QString::fromStdString(text); };
    const kaldora::ProtocolDocument protocol = kaldora::MakeProtocol(
        trace, QDate::currentDate(), {q(args.object), q(args.section), q(args.executor), q(args.checker)});
    if (const int error = kaldora::WriteProtocolPdf(q(args.protocolPath), protocol))
        throw kaldora::cli::WriteError{args.protocolPath, std::strerror(error)};
}

// Everything printed must have reached standard output, or the run failed.
void FinishStandardOutput() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        throw kaldora::cli::WriteError{"standard output", std::strerror(errno)};
}

int Run(const kaldora::cli::Arguments& args, char* program) {
    using namespace kaldora;
    using namespace kaldora::cli;
    switch (args.mode) {
        case Arguments::Mode::Help: std::cout << kUsage; return 0;
        case Arguments::Mode::Version: std::cout << "kaldora-calc " KALDORA_VERSION "\n"; return 0;
        case Arguments::Mode::OneCase: {
            CalcTrace trace;
            const CaseResult result = RunCase(args.input, &trace);
            std::cout << (args.json ? JsonText(result, &trace) : HumanText(result));
            if (!args.protocolPath.empty()) WriteProtocol(args, trace, program);
            return 0;
        }
        case Arguments::Mode::Template: WriteTemplate(stdout, args.templateTitles); return 0;
        case Arguments::Mode::Table: {
            std::FILE* in = args.tablePath == "-" ? stdin : std::fopen(args.tablePath.c_str(), "rb");
            if (!in) throw ArgumentError{"cannot open " + args.tablePath};
            const std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(in == stdin ? nullptr : in, std::fclose);
            TableRun run{in, args.workbookPath.empty() ? stdout : nullptr, args.workbookPath,
                         isatty(STDERR_FILENO) ? stderr : nullptr};
            return RunTable(run).errors > 0 ? 1 : 0;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace kaldora::cli;
    try {
        const int status = Run(ParseArguments(std::vector<std::string>(argv + 1, argv + argc)), argv[0]);
        FinishStandardOutput();
        return status;
    } catch (const ArgumentError& e) {
        std::cerr << "kaldora-calc: " << e.message << "\nTry 'kaldora-calc --help'.\n";
        return 2;
    } catch (const WriteError& e) {
        std::cerr << "kaldora-calc: cannot write " << e.target << ": " << e.reason << "\n";
        return 3;
    } catch (const std::bad_alloc&) {
        std::cerr << "kaldora-calc: out of memory\n";
        return 2;
    }
}
