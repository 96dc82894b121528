// What start-up tells the application object before any window exists:
// its name and help file, and Qt's own dialogs in Russian.
#pragma once

class QApplication;

namespace kaldora {

void SetUpApplication(QApplication& app);

}  // namespace kaldora
