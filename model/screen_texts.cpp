#include "model/screen_texts.h"

#include "model/number_text.h"

namespace kaldora {

std::string_view LocationCaption(bool indoors) {
    return indoors ? "Расположение\nв помещении" : "Расположение\nна открытом воздухе";
}

std::string_view CoverCaption(bool metal) {
    return metal ? "Покрытие\nметалл" : "Покрытие\nнеметалл";
}

std::string_view HoursCaption(bool longHours) {
    return longHours ? "Число часов работы\nсвыше 5000 в год"
                     : "Число часов работы\nне более 5000 в год";
}

std::string_view IndoorRecommendation(std::string_view carrierText) {
    return ParsePointNumber(carrierText) > 100.0 ? "Рекомендуется +45С" : "Рекомендуется +35С";
}

std::string_view OutdoorRecommendation(bool metal) {
    return metal ? "Рекомендуется +55С" : "Рекомендуется +60С";
}

std::string_view SurfaceRecommendation(bool indoors, bool metal, std::string_view carrierText) {
    return indoors ? IndoorRecommendation(carrierText) : OutdoorRecommendation(metal);
}

const std::array<std::string_view, 12>& DiameterItems(int type) {
    static constexpr std::array<std::string_view, 12> kSinglePipe = {
        "18", "25", "32", "45", "57", "76", "89", "108", "133", "159", "219", "273"};
    static constexpr std::array<std::string_view, 12> kChannel = {
        "32", "38", "45", "57", "76", "89", "108", "133", "159", "219", "273", " "};
    return type == 5 ? kChannel : kSinglePipe;
}

}  // namespace kaldora
