#include "engine/method_constants.h"

#include <array>

#include "model/calc_data.h"
#include "model/number_text.h"

namespace kaldora {

namespace {

using namespace method;

#define KALDORA_CONDUCTIVITY_LAW \
    &LambdaLow, &LambdaLowUpTo, &LambdaMidBase, &LambdaMidSlope, &LambdaMidUpTo, &LambdaHighBase, &LambdaHighSlope
#define KALDORA_SOLVER &SolverStop, &SolverIterations

constexpr std::array<const MethodConstant*, 14> kHistoricalNorm = {
    &AlphaOutdoors, &AlphaNonMetal, &AlphaMetal, KALDORA_CONDUCTIVITY_LAW, &NormSettled, &MaxPasses, KALDORA_SOLVER};
constexpr std::array<const MethodConstant*, 14> kCurrentNorm = {
    &Sp61AlphaOutdoors, &Sp61AlphaNonMetal, &Sp61AlphaMetal, KALDORA_CONDUCTIVITY_LAW,
    &NormSettled,       &MaxPasses,         KALDORA_SOLVER};
constexpr std::array<const MethodConstant*, 5> kCondensation = {&AlphaColdNonMetal, &AlphaColdMetal, &LambdaFixed,
                                                                KALDORA_SOLVER};
constexpr std::array<const MethodConstant*, 11> kSurface = {&AlphaNonMetal, &AlphaMetal, KALDORA_CONDUCTIVITY_LAW,
                                                            KALDORA_SOLVER};
constexpr std::array<const MethodConstant*, 12> kFreeze = {
    &AlphaOutdoors, &LambdaFixed, &FreezingTemp, &WaterDensity,     &SteelDensity, &WaterHeat,
    &SteelHeat,     &LatentHeat,  &FrozenShare,  &FreezeTimeFactor, KALDORA_SOLVER};
constexpr std::array<const MethodConstant*, 15> kChannel = {
    &AlphaChannel,   &ChannelAirFactor, &WidthClearance, &HeightClearance, KALDORA_CONDUCTIVITY_LAW,
    &ChannelSettled, &MaxPasses,        KALDORA_SOLVER};

#undef KALDORA_CONDUCTIVITY_LAW
#undef KALDORA_SOLVER

}  // namespace

std::vector<std::string> UnsettledTexts(const Convergence& convergence) {
    std::vector<std::string> texts;
    if (!convergence.solver)
        texts.push_back("Итерации решения уравнения ln x = a − b/x не достигли точности " +
                        SwapFirstPoint(FormatFixed(SolverStop.value, 1, 5)) + " м за " +
                        FormatFixed(SolverIterations.value, 1, 0) + " итераций: " +
                        (convergence.solverBracketed ? "корень уравнения найден делением отрезка пополам"
                                                     : "результат приближенный"));
    if (!convergence.passes)
        texts.push_back("Проходы не сошлись (не более " + FormatFixed(MaxPasses.value, 1, 0) + " проходов): " +
                        (convergence.passesBracketed
                             ? "температура воздуха в канале найдена из теплового баланса делением отрезка пополам"
                             : "результат приближенный"));
    return texts;
}

std::optional<std::string> ImplausibleThickness(const WholeResult& whole, double thicknessMm) {
    if (whole.answer != Answer::Thickness || thicknessMm <= kMostPlausibleThicknessMm) return std::nullopt;
    return "Толщина изоляции больше 1 м: проверьте исходные данные";
}

std::span<const MethodConstant* const> ConstantsOf(int type, bool currentNorm) {
    switch (static_cast<CalcType>(type)) {
        case CalcType::HeatLossNorm:
            return currentNorm ? std::span<const MethodConstant* const>(kCurrentNorm) : kHistoricalNorm;
        case CalcType::Condensation: return kCondensation;
        case CalcType::SurfaceTemperature: return kSurface;
        case CalcType::FreezeProtection: return kFreeze;
        case CalcType::ChannelTwoPipe: return kChannel;
        case CalcType::None: break;
    }
    return {};
}

}  // namespace kaldora
