// The one-page report without Qt: its elements as data (position and size in
// millimetres from the sheet's top-left corner, font, wrapping, the fixed
// texts) and the texts a type's screen puts into its variable elements. The
// program paints it through Qt, the browser edition as a page; both from
// these.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/calc_data.h"

namespace kaldora {

struct PaperElement {
    enum class Kind { Text, Picture, Date };
    std::string name;
    Kind kind;
    double left, top;      // mm
    double width, height;  // mm; 0 width: as wide as its text (auto size)
    double points = 10;    // font size
    bool bold = false;
    bool underline = false;
    bool wrap = false;
    std::string text = {};  // caption of a text element; pictures show the logo
};

inline constexpr double kPaperWidthMm = 210.0;
inline constexpr double kPaperHeightMm = 297.0;

// The footer's lines: the maker's name, address, telephone and site.
extern const char* const kFooterLines[4];

// The page as designed: fixed texts and empty variable elements.
std::vector<PaperElement> DesignedReportElements();

// Formats a value for the report ("%3.1f" and a decimal comma).
std::string FormatReportValue(std::string_view format, double value);

// What a type's case puts into the page, by element name: the type, the
// object, its options, the nine input rows, the norm and its caution, the
// results. `values` is the row as shown; `calculated` and `whole` say what
// the last calculation found.
std::vector<std::pair<std::string, std::string>> ReportTexts(const CalcInput& input, bool calculated,
                                                             const WholeResult& whole);

}  // namespace kaldora
