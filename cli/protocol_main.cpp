// kaldora-calc with the calculation protocol: kaldora-calc hands a case that
// asks for one to this executable, which alone loads Qt.
#include <QGuiApplication>
#include <QHashSeed>

#include <cstring>

#include "assets/fonts.h"
#include "cli/calc_main.h"
#include "cli/errors.h"
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

}  // namespace

int main(int argc, char* argv[]) {
    // The PDF writer orders its fonts by hash: a fixed seed, the same bytes.
    QHashSeed::setDeterministicGlobalSeed();
    return kaldora::cli::CalcMain(
        argc, argv, [program = argv[0]](const auto& args, const auto& trace) { WriteProtocol(args, trace, program); });
}
