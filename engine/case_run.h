// One case run headless: typed texts and options in, the outputs and the row
// out, through the same calculate command the window runs. The command line,
// the tests and the benchmarks run cases this way.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/calc_view.h"
#include "model/recording_view.h"

namespace kaldora {

// Attaches a view for the lifetime of the guard, then gives back the one
// attached before.
class ViewAttachment {
public:
    explicit ViewAttachment(CalcView& view);
    ~ViewAttachment();
    ViewAttachment(const ViewAttachment&) = delete;
    ViewAttachment& operator=(const ViewAttachment&) = delete;

private:
    CalcView* previous_;
};

struct CaseInput {
    int type = 0;
    std::optional<bool> indoors, metal, longHours;  // unset: the initial flag
    std::map<int, std::string> slotTexts;           // as typed; others keep their design text
};

struct CaseResult {
    int type;
    // The options the type has; unset where it has none.
    std::optional<bool> indoors, metal, longHours;
    std::vector<RecordingView::Event> events;  // boxes and result lines, in order
    std::map<int, double> slots;               // every slot shown, read or written
    double thicknessMm;
};

// Empty when the input can be calculated; otherwise what is wrong with it:
// a type out of range, a field the type does not show, an option it lacks.
std::string CheckCase(const CaseInput& input);

// Runs a checked case from the start state of the calculation data.
CaseResult RunCase(const CaseInput& input);

}  // namespace kaldora
