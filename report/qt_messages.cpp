#include "report/qt_messages.h"

#include <QString>
#include <QtGlobal>

namespace kaldora {

namespace {

QtMessageHandler previousHandler = nullptr;

void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
    previousHandler(type, context, message);
}

}  // namespace

void DropRuntimeDirWarning() {
    if (!previousHandler) previousHandler = qInstallMessageHandler(Handle);
}

}  // namespace kaldora
