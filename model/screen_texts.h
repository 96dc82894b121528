// Texts of the type screens that follow from the options and inputs: the
// toggle captions, the surface-temperature recommendation and the items of
// the supply-temperature pick-list.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/calc_types.h"

namespace kaldora {

std::string_view LocationCaption(bool indoors);
std::string_view CoverCaption(bool metal);
std::string_view HoursCaption(bool longHours);

// The recommended surface temperature for type 3. The carrier temperature is
// the text of its field read with a decimal point only, so "100,5" counts
// as 100.
std::string_view SurfaceRecommendation(bool indoors, bool metal, std::string_view carrierText);
std::string_view IndoorRecommendation(std::string_view carrierText);
std::string_view OutdoorRecommendation(bool metal);

// The caption of a row of the whole result on the type screen; a heat flux
// into a cold pipe is named as what it is, and a result that holds at one
// moment says when.
std::string WholeResultCaption(WholeKind kind, double value, std::string_view moment);

// A field's name as its caption says it, without the blanks around it and the
// closing "=": "Температура воздуха (0С)".
std::string FieldLabel(std::string_view caption);

// The captions of the calculate, report and protocol buttons.
inline constexpr std::string_view kCalculateCaption = "Расчет толщины тепловой изоляции";
inline constexpr std::string_view kReportCaption = "Печать отчета";
inline constexpr std::string_view kProtocolCaption = "Протокол расчета";

// The result line for a thickness in metres.
std::string ResultLineText(double thicknessMetres);
// A calculation's message as shown: a box's text, or its result line.
std::string MessageText(const CalcMessage& message);

// The error box of an arithmetic fault: what it means for the engineer, with
// the fault's own name kept.
std::string ArithmeticFaultText(std::string_view fault);

inline constexpr std::array<std::string_view, 3> kSupplyTemperatureItems = {"65", "90", "110"};

}  // namespace kaldora
