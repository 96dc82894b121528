// One calculation case run through the same calculate command the window
// uses, with a recording view in place of the edit boxes.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/recording_view.h"

namespace kaldora::cli {

struct CaseInput {
    int type = 0;
    std::optional<bool> indoors, metal, longHours;  // unset: the initial flag
    std::map<int, std::string> slotTexts;           // as typed; others keep their design text
};

struct CaseResult {
    int type;
    bool indoors, metal, longHours;
    std::vector<RecordingView::Event> events;  // boxes and result lines, in order
    std::map<int, double> slots;               // every slot read or written
    double thicknessMm;
};

// Empty when the input can be calculated; otherwise what is wrong with it.
std::string CheckCase(const CaseInput& input);

// Runs a checked case from the start state of the calculation data.
CaseResult RunCase(const CaseInput& input);

}  // namespace kaldora::cli
