// What kaldora-calc prints for one case: the window's texts, or JSON.
#pragma once

#include <string>

#include "engine/case_run.h"
#include "model/calc_types.h"

namespace kaldora::cli {

// The boxes in order and the result line, as the window shows them.
std::string HumanText(const CaseResult& result);

// One JSON object: type, flags, ordered events, the slots read or written,
// the thickness, the whole result (surface temperature and heat flux, or the
// channel's air temperature; null when refused) and, given one, the trace.
std::string JsonText(const CaseResult& result, const CalcTrace* trace = nullptr);

// The English name of a whole result, as the JSON and the tables call it.
std::string_view WholeResultName(WholeKind kind);

// The messages of the boxes joined into one line of a table.
std::string MessagesLine(const CaseResult& result);

}  // namespace kaldora::cli
