// What kaldora-calc prints for one case: the window's texts, or JSON.
#pragma once

#include <string>

#include "engine/case_run.h"

namespace kaldora::cli {

// The boxes in order and the result line, as the window shows them.
std::string HumanText(const CaseResult& result);

// One JSON object: type, flags, ordered events and the slots read or written,
// numbers in the shortest text that reads back to the same double.
std::string JsonText(const CaseResult& result);

// The messages of the boxes joined into one line of a table.
std::string MessagesLine(const CaseResult& result);

// Shortest text that reads back to the same double, with a decimal point.
std::string ShortestNumber(double value);

}  // namespace kaldora::cli
