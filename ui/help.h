// The help item: the program's methodical notes, a document in Russian
// installed beside it, shown in a browser window of the program's own, so
// that it opens on any desktop.
#pragma once

#include <QString>

class QTextBrowser;
class QWidget;

namespace kaldora {

inline constexpr char kHelpFileName[] = "RiriRuvu.hlp";
inline constexpr char kHelpFileProperty[] = "helpFile";  // of the application object

// Where the document for the help file name lies: next to the program when
// it runs from its build folder, or in the installed data folder.
QString HelpDocumentPath();

// Shows the contents of the help document in a window beside `owner`, not
// modal; a second call brings the same window forward.
QTextBrowser* ShowHelpContents(QWidget* owner);

}  // namespace kaldora
