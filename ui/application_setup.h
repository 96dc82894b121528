// What start-up tells the application object before any window exists:
// its name and help file, the design's style and light palette whatever the
// desktop's theme, and Qt's own dialogs in Russian.
#pragma once

class QApplication;
class QPalette;

namespace kaldora {

void SetUpApplication(QApplication& app);

// The design's light palette with every role set, for a window to hold as
// its own: a desktop theme that changes the application's palette later (a
// GTK theme does, after the first window) leaves it alone.
QPalette PinnedPalette();

// The main window's design size, and what its frame adds above it at most.
inline constexpr int kWindowWidth = 792;
inline constexpr int kWindowHeight = 573;
inline constexpr int kTitleBarAllowance = 32;

// Where the screen's scale would make the window larger than the screen,
// starts the program again at the largest scale that fits (once); returns
// only when no restart was needed or possible.
void RestartToFitTheScreen(char* argv[]);

}  // namespace kaldora
