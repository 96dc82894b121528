// What each calculation type is, written once: its heading, the fields it
// shows and where, its options, its diameter pick-list and its report rows.
// The window, the report, the calculate command and the command line all
// read it; none of them knows a type by its number.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "model/calc_data.h"

namespace kaldora {

// A shown field: its slot and the top of its panel, above the panel offset.
struct SlotPlacement {
    int slot;
    int top;
};

// A line of the report's input table.
struct ReportRow {
    enum class Source { Blank, Slot, Hours };  // a slot's value as typed (mm for diameters)
    std::string_view name;
    Source source;
    int slot;
};
inline constexpr int kReportInputRows = 9;

// A result line of the report beside the thickness.
struct ReportResultRow {
    std::string_view name;
    int slot;
};

using DiameterList = std::array<std::string_view, 12>;

// Results a type finds beyond its slots (see WholeResult).
enum class WholeKind { SurfaceTemp, HeatFlux, ChannelAirTemp };

struct CalcTypeInfo {
    CalcType type;
    std::string_view heading;
    std::span<const SlotPlacement> placements;
    // Option plates on the type screen; the location plate of a type that is
    // always indoors is shown but does not switch.
    bool locationPlate, coverPlate, hoursPlate;
    bool alwaysIndoors;
    // After calculating, the fields are written back from the row.
    bool writesFieldsBack;
    // The surface-temperature field carries the recommended value as a hint.
    bool recommendsSurface;
    int diameterSlot;
    int pipes;  // pipes that get the thickness: supply and return count twice
    const DiameterList* diameterItems;
    // Report: object, a fixed placement text (empty: from the location flag),
    // input rows, the name of the thickness line and further result lines.
    std::string_view reportObject;
    std::string_view reportPlacement;
    std::array<ReportRow, kReportInputRows> reportRows;
    std::string_view reportResultName;
    std::span<const ReportResultRow> reportResults;
    // What the type finds beyond its slots, and the part of it the type
    // screen shows (what the screen does not show already).
    std::span<const WholeKind> wholeResults;
    std::span<const WholeKind> screenResults;
    // The method in a few lines with its formulas, for the protocol.
    std::string_view method;
    // The norm can be chosen: the historical tables or the current norm.
    bool normChoice = false;
    // When the whole result holds, where it is not throughout ("в начале
    // простоя"); the type screen's rows say so.
    std::string_view wholeMoment = {};

    int Number() const { return static_cast<int>(type); }
    // Options the user can set for this type (the location of a type that
    // is always indoors is not one).
    bool HasLocationOption() const { return locationPlate && !alwaysIndoors; }
    bool HasCoverOption() const { return coverPlate; }
    bool HasHoursOption() const { return hoursPlate; }
    bool HasNormOption() const { return normChoice; }
};

inline std::optional<double> ValueOf(const WholeResult& whole, WholeKind kind) {
    switch (kind) {
        case WholeKind::SurfaceTemp: return whole.surfaceTemp;
        case WholeKind::HeatFlux: return whole.heatFlux;
        case WholeKind::ChannelAirTemp: return whole.channelAirTemp;
    }
    return std::nullopt;
}

// The five types, in type order.
extern const std::array<CalcTypeInfo, kTypeCount - 1> CalcTypes;

bool IsCalcType(int type);

// The description of type 1..5; IsCalcType must hold.
const CalcTypeInfo& TypeInfo(int type);

// The type whose surface-temperature field carries the recommendation hint.
const CalcTypeInfo& RecommendingType();

}  // namespace kaldora
