#include "cli/calc_main.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <new>
#include <optional>

#include "cli/output.h"
#include "cli/table.h"
#include "engine/case_run.h"
#include "files/file_replacement.h"

namespace kaldora::cli {

namespace {

// The protocol writer is installed at this path relative to kaldora-calc's
// folder; it runs the same request again, this time with a protocol.
[[noreturn]] void HandToProtocolWriter(const Arguments& args, char* argv[]) {
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        throw WriteError{args.protocolPath, std::string("cannot find kaldora-calc: ") + std::strerror(errno)};
    const std::string own(self, static_cast<std::size_t>(length));
    const std::string writer = own.substr(0, own.rfind('/') + 1) + KALDORA_PROTOCOL_WRITER;
    std::fflush(nullptr);
    execv(writer.c_str(), argv);
    throw WriteError{args.protocolPath, "the protocol writer " + writer + " cannot start: " + std::strerror(errno)};
}

// Everything printed must have reached standard output, or the run failed.
void FinishStandardOutput() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw WriteError{"standard output", std::strerror(errno)};
}

// The table's file, or standard input; a folder is not a table.
std::FILE* OpenTable(const std::string& path, const std::string& name) {
    std::FILE* in = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
    struct stat st {};
    const int error = !in ? errno : fstat(fileno(in), &st) == 0 && S_ISDIR(st.st_mode) ? EISDIR : 0;
    if (error == 0) return in;
    if (in) std::fclose(in);
    throw InputError{"cannot read " + name + ": " + std::strerror(error)};
}

// A table written over itself would be lost, or read back for ever: the
// output, by name or as standard output, must not be the input's file.
void RefuseOutputOverInput(std::FILE* in, const std::string& name, const std::string& workbookPath) {
    const std::optional<FileIdentity> input = RegularFileOf(fileno(in));
    if (!input) return;
    const std::optional<FileIdentity> output =
        workbookPath.empty() ? RegularFileOf(STDOUT_FILENO) : RegularFileAt(workbookPath);
    if (output == input)
        throw InputError{"the output is the input file: " + name + (workbookPath.empty() ? " (standard output)" : "")};
}

int Run(const Arguments& args, char* argv[], const ProtocolWriter& writeProtocol) {
    switch (args.mode) {
        case Arguments::Mode::Help: std::cout << kUsage; return 0;
        case Arguments::Mode::Version: std::cout << "kaldora-calc " KALDORA_VERSION "\n"; return 0;
        case Arguments::Mode::OneCase: {
            if (!args.protocolPath.empty() && !writeProtocol) HandToProtocolWriter(args, argv);
            CalcTrace trace;
            const CaseResult result = RunCase(args.input, &trace);
            std::cout << (args.json ? JsonText(result, &trace) : HumanText(result));
            if (!args.protocolPath.empty()) writeProtocol(args, trace);
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

int CalcMain(int argc, char* argv[], const ProtocolWriter& writeProtocol) {
    OpenMissingStandardStreams();
    try {
        const int status = Run(ParseArguments(std::vector<std::string>(argv + 1, argv + argc)), argv, writeProtocol);
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

}  // namespace kaldora::cli
