// The help item: the program's help file is a document in Russian installed
// beside it, shown by the desktop's viewer.
#pragma once

#include <QString>

namespace kaldora {

inline constexpr char kHelpFileName[] = "RiriRuvu.hlp";
inline constexpr char kHelpFileProperty[] = "helpFile";  // of the application object

// Where the document for the help file name lies: next to the program when
// it runs from its build folder, or in the installed data folder.
QString HelpDocumentPath();

// Opens the contents of the help document. What the viewer does, even when
// the document is missing, does not concern the program.
void ShowHelpContents();

}  // namespace kaldora
