#include "model/screen_texts.h"

#include "model/number_text.h"

namespace kaldora {

std::string_view LocationCaption(bool indoors) {
    return indoors ? "Расположение\nв помещении" : "Расположение\nна открытом воздухе";
}

std::string_view CoverCaption(bool metal) { return metal ? "Покрытие\nметалл" : "Покрытие\nнеметалл"; }

std::string_view HoursCaption(bool longHours) {
    return longHours ? "Число часов работы\nсвыше 5000 в год" : "Число часов работы\nне более 5000 в год";
}

std::string_view IndoorRecommendation(std::string_view carrierText) {
    return ParsePointNumber(carrierText) > 100.0 ? "Рекомендуется +45С" : "Рекомендуется +35С";
}

std::string_view OutdoorRecommendation(bool metal) { return metal ? "Рекомендуется +55С" : "Рекомендуется +60С"; }

std::string_view SurfaceRecommendation(bool indoors, bool metal, std::string_view carrierText) {
    return indoors ? IndoorRecommendation(carrierText) : OutdoorRecommendation(metal);
}

std::string WholeResultCaption(WholeKind kind, double value, std::string_view moment) {
    std::string when;  // appended: GCC 12 warns wrongly on " " + string at -O2
    if (!moment.empty()) when.append(" ").append(moment);
    switch (kind) {
        case WholeKind::SurfaceTemp:
            return moment.empty() ? " Температура поверхности изоляции (0С) ="
                                  : " Температура поверхности" + when + " (0С) =";
        case WholeKind::HeatFlux:
            return (value < 0.0 ? " Теплопоступления к трубопроводу" : " Тепловые потери") + when + " (Вт/м) =";
        case WholeKind::ChannelAirTemp: return " Температура воздуха в канале (0С) =";
    }
    return {};
}

std::string FieldLabel(std::string_view caption) {
    std::string label;
    for (const char c : caption) {
        const bool blank = c == ' ' || c == '\t' || c == '\n';
        if (blank && (label.empty() || label.back() == ' ')) continue;
        label += blank ? ' ' : c;
    }
    if (!label.empty() && label.back() == ' ') label.pop_back();
    if (!label.empty() && label.back() == '=') label.pop_back();
    if (!label.empty() && label.back() == ' ') label.pop_back();
    return label;
}

std::string ResultLineText(double thicknessMetres) {
    return "Толщина тепловой изоляции = " + FormatShown(TypedFromHeld(kSlotThickness, thicknessMetres), 3, 1) + " мм";
}

std::string MessageText(const CalcMessage& message) {
    return message.kind == CalcMessage::Kind::ResultLine ? ResultLineText(message.thickness) : message.text;
}

std::string ArithmeticFaultText(std::string_view fault) {
    return "Расчет невозможен при заданных значениях (" + std::string(fault) + ").\nПроверьте исходные данные.";
}

}  // namespace kaldora
