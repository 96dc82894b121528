// Shared set-up of the engine tests: fresh screens and a recording view for
// each test, calculated through the calculate button's road.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "engine/calculation.h"
#include "engine/case_run.h"
#include "model/calc_data.h"
#include "model/screen_texts.h"
#include "screen/recording_view.h"
#include "screen/screens.h"

namespace kaldora {
inline void PrintTo(const RecordingView::Event& e, std::ostream* os) {
    static const char* const kinds[] = {"Info", "Error", "ResultLine", "SlotText"};
    *os << kinds[static_cast<int>(e.kind)] << "(" << e.text << ")";
}
}  // namespace kaldora

namespace kaldora::testing {

using Kind = RecordingView::Kind;

class CalcTest : public ::testing::Test {
protected:
    // Picks a type, types the given slot texts and presses the button.
    void Calculate(int type, std::initializer_list<std::pair<int, std::string>> texts = {}) {
        screens.type = type;
        for (const auto& [slot, text] : texts) view.Type(slot, text);
        view.ClearEvents();
        CalculateScreen(screens, view);
    }

    double& Slot(int slot) { return screens.Current().input.values[static_cast<std::size_t>(slot)]; }
    double ThicknessMm() { return Slot(kSlotThickness) * 1000.0; }

    // The information boxes and result lines, in order.
    std::vector<RecordingView::Event> Outputs() const {
        std::vector<RecordingView::Event> out;
        for (const auto& e : view.Events())
            if (e.kind != Kind::SlotText) out.push_back(e);
        return out;
    }

    static RecordingView::Event Info(const std::string& text) { return {Kind::Info, text}; }
    static RecordingView::Event Error(const std::string& text) { return {Kind::Error, text}; }
    static RecordingView::Event Result(const std::string& mm) {
        return {Kind::ResultLine, "Толщина тепловой изоляции = " + mm + " мм"};
    }

    Screens screens;
    RecordingView view;
};

}  // namespace kaldora::testing
