// kaldora-calc: the calculations of the window from a script, one case or a
// whole table of cases.
#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QHashSeed>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <new>
#include <optional>

#include "assets/fonts.h"
#include "cli/arguments.h"
#include "cli/output.h"
#include "cli/table.h"
#include "engine/case_run.h"
#include "files/file_replacement.h"
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
    // Without the report's font every Cyrillic letter would print as a box.
    if (const QString font = kaldora::MissingReportFont(); !font.isEmpty())
        throw kaldora::cli::WriteError{
            args.protocolPath,
            "the font " + font.toStdString() + " with Cyrillic letters is not installed (fonts-liberation)"};
    const auto q = [](const std::string& text) { return QString::fromStdString(text); };
    const kaldora::ProtocolDocument protocol =
        kaldora::MakeProtocol(trace, QDate::currentDate(),
                              {q(args.object), q(args.section), q(args.executor), q(args.checker), q(args.organisation),
                               q(args.project), q(args.document)});
    if (const int error = kaldora::WriteProtocolPdf(q(args.protocolPath), protocol))
        throw kaldora::cli::WriteError{args.protocolPath, std::strerror(error)};
}

// Everything printed must have reached standard output, or the run failed.
void FinishStandardOutput() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        throw kaldora::cli::WriteError{"standard output", std::strerror(errno)};
}

// The table's file, or standard input; a folder is not a table.
std::FILE* OpenTable(const std::string& path, const std::string& name) {
    std::FILE* in = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
    struct stat st {};
    const int error = !in ? errno : fstat(fileno(in), &st) == 0 && S_ISDIR(st.st_mode) ? EISDIR : 0;
    if (error == 0) return in;
    if (in) std::fclose(in);
    throw kaldora::cli::InputError{"cannot read " + name + ": " + std::strerror(error)};
}

// A table written over itself would be lost, or read back for ever: the
// output, by name or as standard output, must not be the input's file.
void RefuseOutputOverInput(std::FILE* in, const std::string& name, const std::string& workbookPath) {
    const std::optional<kaldora::FileIdentity> input = kaldora::RegularFileOf(fileno(in));
    if (!input) return;
    const std::optional<kaldora::FileIdentity> output =
        workbookPath.empty() ? kaldora::RegularFileOf(STDOUT_FILENO) : kaldora::RegularFileAt(workbookPath);
    if (output == input)
        throw kaldora::cli::InputError{"the output is the input file: " + name +
                                       (workbookPath.empty() ? " (standard output)" : "")};
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
            const bool piped = args.tablePath == "-";
            const std::string name = piped ? "standard input" : args.tablePath;
            std::FILE* in = OpenTable(args.tablePath, name);
            const std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(piped ? nullptr : in, std::fclose);
            RefuseOutputOverInput(in, name, args.workbookPath);
            TableRun run{in, args.workbookPath.empty() ? stdout : nullptr, args.workbookPath,
                         isatty(STDERR_FILENO) ? stderr : nullptr, stderr};
            try {
                return RunTable(run).errors > 0 ? 1 : 0;
            } catch (const ReadError& e) {
                throw InputError{"cannot read " + name + ": " + e.reason};
            }
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace kaldora::cli;
    kaldora::OpenMissingStandardStreams();
    // The PDF writer orders its fonts by hash: a fixed seed, the same bytes.
    QHashSeed::setDeterministicGlobalSeed();
    try {
        const int status = Run(ParseArguments(std::vector<std::string>(argv + 1, argv + argc)), argv[0]);
        FinishStandardOutput();
        return status;
    } catch (const ArgumentError& e) {
        std::cerr << "kaldora-calc: " << e.message << "\nTry 'kaldora-calc --help'.\n";
        return 2;
    } catch (const InputError& e) {
        std::cerr << "kaldora-calc: " << e.message << "\n";
        return 2;
    } catch (const WriteError& e) {
        std::cerr << "kaldora-calc: cannot write " << e.target << ": " << e.reason << "\n";
        return 3;
    } catch (const std::bad_alloc&) {
        std::cerr << "kaldora-calc: out of memory\n";
        return 2;
    }
}
