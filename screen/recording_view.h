// A view without a screen: edit boxes are texts, and every output is
// recorded in the order it was made. Used by the command-line calculator
// and the tests.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/calc_data.h"
#include "screen/calc_view.h"

namespace kaldora {

class RecordingView : public CalcView {
public:
    enum class Kind { Info, Error, ResultLine, SlotText };
    struct Event {
        Kind kind;
        std::string text;
        int slot = 0;  // for SlotText
        bool operator==(const Event&) const = default;
    };

    // Every edit box starts with its design text.
    RecordingView();

    std::string SlotText(int slot) const override;
    void SetSlotText(int slot, const std::string& text) override;
    void SetResultLine(const std::string& caption) override;
    void ShowInfo(const std::string& message) override;
    void ShowError(const std::string& message) override;

    // Sets a box's text as the user would type it; records nothing.
    void Type(int slot, const std::string& text);

    const std::vector<Event>& Events() const { return events_; }
    // Hands the events over, leaving none.
    std::vector<Event> TakeEvents() { return std::move(events_); }
    const std::string& ResultLine() const { return resultLine_; }
    void ClearEvents() { events_.clear(); }

private:
    // Typed texts; a box not typed into holds its design text.
    std::array<std::string, kSlotCount> texts_;
    std::array<bool, kSlotCount> typed_{};
    std::string resultLine_;
    std::vector<Event> events_;
};

}  // namespace kaldora
