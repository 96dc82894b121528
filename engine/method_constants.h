// The program's constants, each with its source as the program knows it. The
// calculations compute with these values and the protocol prints them from
// here, so that what it says cannot drift from what was computed. Where the
// program does not know where a figure comes from, its source says so.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/calc_data.h"

namespace kaldora {

struct MethodConstant {
    std::string_view symbol;  // as the protocol prints it
    std::string_view meaning;
    double value;
    std::string_view unit;
    std::string_view source;
};

inline constexpr std::string_view kProgramSource = "принято в программе; источник программе не известен";
inline constexpr std::string_view kSp61TableB1 = "СП 61.13330.2012, таблица В.1";
inline constexpr std::string_view kSp61TableB2 = "СП 61.13330.2012, таблица В.2";
inline constexpr std::string_view kSp61Table13 = "СП 61.13330.2012, таблица 13";

namespace method {

// The solver of ln x = a − b/x.
inline constexpr MethodConstant SolverStop{"Δx", "точность решения ln x = a − b/x", 1e-5, "м", kProgramSource};
inline constexpr MethodConstant SolverIterations{"n_max", "наибольшее число итераций решения", 30, "", kProgramSource};

// Conductivity of the mineral-wool cylinders by the layer's mean temperature.
inline constexpr MethodConstant LambdaLow{"λ₀", "теплопроводность изоляции при t_ср ≤ t₁", 0.038, "Вт/(м·°C)",
                                          kProgramSource};
inline constexpr MethodConstant LambdaLowUpTo{"t₁", "верхняя граница первого участка закона λ(t)", 25, "°C",
                                              kProgramSource};
inline constexpr MethodConstant LambdaMidBase{"λ₁", "теплопроводность λ₁ + k₁·t_ср при t₁ < t_ср ≤ t₂", 0.0345,
                                              "Вт/(м·°C)", kProgramSource};
inline constexpr MethodConstant LambdaMidSlope{"k₁", "приращение теплопроводности на втором участке", 0.00014,
                                               "Вт/(м·°C²)", kProgramSource};
inline constexpr MethodConstant LambdaMidUpTo{"t₂", "верхняя граница второго участка закона λ(t)", 125, "°C",
                                              kProgramSource};
inline constexpr MethodConstant LambdaHighBase{"λ₂", "теплопроводность λ₂ + k₂·t_ср при t_ср > t₂", 0.027, "Вт/(м·°C)",
                                               kProgramSource};
inline constexpr MethodConstant LambdaHighSlope{"k₂", "приращение теплопроводности на третьем участке", 0.0002,
                                                "Вт/(м·°C²)", kProgramSource};
// Types 2 and 4 take one conductivity.
inline constexpr MethodConstant LambdaFixed{"λ", "теплопроводность изоляции (постоянная)", 0.04, "Вт/(м·°C)",
                                            kProgramSource};

// Heat transfer at the insulation surface.
inline constexpr MethodConstant AlphaOutdoors{"α", "теплоотдача поверхности на открытом воздухе", 29, "Вт/(м²·°C)",
                                              kProgramSource};
inline constexpr MethodConstant AlphaNonMetal{"α", "теплоотдача неметаллического покрытия", 11, "Вт/(м²·°C)",
                                              kProgramSource};
inline constexpr MethodConstant AlphaMetal{"α", "теплоотдача металлического покрытия", 6, "Вт/(м²·°C)", kProgramSource};
inline constexpr MethodConstant AlphaColdNonMetal{"α", "теплоотдача неметаллического покрытия холодного трубопровода",
                                                  7, "Вт/(м²·°C)", kProgramSource};
inline constexpr MethodConstant AlphaColdMetal{"α", "теплоотдача металлического покрытия холодного трубопровода", 5,
                                               "Вт/(м²·°C)", kProgramSource};
inline constexpr MethodConstant AlphaChannel{"α", "теплоотдача в канале", 11, "Вт/(м²·°C)", kProgramSource};

// The passes of types 1 and 5.
inline constexpr MethodConstant NormSettled{"Δt", "проходы заканчиваются, когда |t_s − T| не больше", 0.1, "°C",
                                            kProgramSource};
inline constexpr MethodConstant ChannelSettled{"ε_max", "проходы заканчиваются, когда изменение за проход не больше",
                                               0.01, "", kProgramSource};
inline constexpr MethodConstant MaxPasses{"N_max", "наибольшее число проходов", 30, "", kProgramSource};

// Type 4.
inline constexpr MethodConstant FreezingTemp{"t_з", "температура замерзания воды", 0, "°C", kProgramSource};
inline constexpr MethodConstant WaterDensity{"ρ_в", "плотность воды", 1000, "кг/м³", kProgramSource};
inline constexpr MethodConstant SteelDensity{"ρ_ст", "плотность стали", 7850, "кг/м³", kProgramSource};
inline constexpr MethodConstant WaterHeat{"c_в", "удельная теплоемкость воды", 4.187, "кДж/(кг·°C)", kProgramSource};
inline constexpr MethodConstant SteelHeat{"c_ст", "удельная теплоемкость стали", 0.486, "кДж/(кг·°C)", kProgramSource};
inline constexpr MethodConstant LatentHeat{"L", "удельная теплота замерзания воды", 334, "кДж/кг", kProgramSource};
inline constexpr MethodConstant FrozenShare{"ψ", "доля воды, которой можно замерзнуть", 0.25, "", kProgramSource};
inline constexpr MethodConstant FreezeTimeFactor{"k_τ", "коэффициент к времени простоя", 1.15, "", kProgramSource};

// Type 5.
inline constexpr MethodConstant ChannelAirFactor{"k_к", "коэффициент в формуле температуры воздуха в канале", 1.15, "",
                                                 kProgramSource};
inline constexpr MethodConstant WidthClearance{"Δw", "зазоры по ширине канала (2x + Δw ≤ w)", 0.3, "м", kProgramSource};
inline constexpr MethodConstant HeightClearance{"Δh", "зазоры по высоте канала (x + Δh ≤ h)", 0.15, "м",
                                                kProgramSource};

// The current norm: K by the supports, K1 by the region, α at the surface.
inline constexpr double kDn150OuterDiameter = 0.159;  // m: the norm's rows key Dn 150 by it
inline constexpr MethodConstant KMovableSmall{"K", "стальной, подвижные опоры, Dn < 150", 1.20, "", kSp61TableB1};
inline constexpr MethodConstant KMovableLarge{"K", "стальной, подвижные опоры, Dn ≥ 150", 1.15, "", kSp61TableB1};
inline constexpr MethodConstant KSuspended{"K", "стальной, подвесные опоры", 1.05, "", kSp61TableB1};
inline constexpr MethodConstant KNonMetal{"K", "неметаллический трубопровод", 1.70, "", kSp61TableB1};
inline constexpr MethodConstant KNone{"K", "без учета дополнительных потерь (для сравнения)", 1.0, "", kProgramSource};
inline constexpr MethodConstant K1Europe{"K₁", "Европейская часть России", 1.00, "", kSp61Table13};
inline constexpr MethodConstant K1Siberia{"K₁", "Урал, Западная и Восточная Сибирь", 0.98, "", kSp61Table13};
inline constexpr MethodConstant K1FarEast{"K₁", "Дальний Восток, районы Крайнего Севера и приравненные к ним", 0.96, "",
                                          kSp61Table13};
inline constexpr MethodConstant Sp61AlphaOutdoors{"α", "теплоотдача поверхности на открытом воздухе", 26, "Вт/(м²·°C)",
                                                  kSp61TableB2};
inline constexpr MethodConstant Sp61AlphaNonMetal{
    "α", "теплоотдача в помещении, покрытие с высокой излучательной способностью", 10, "Вт/(м²·°C)", kSp61TableB2};
inline constexpr MethodConstant Sp61AlphaMetal{"α", "теплоотдача в помещении, металлическое покрытие", 7, "Вт/(м²·°C)",
                                               kSp61TableB2};

}  // namespace method

// What did not settle, said in Russian for the protocol, the JSON and the
// tables; empty when everything did.
std::vector<std::string> UnsettledTexts(const Convergence& convergence);

// A thickness no insulation of this kind has: said where a result holds
// one, since the inputs are most likely wrong.
inline constexpr double kMostPlausibleThicknessMm = 1000.0;
std::optional<std::string> ImplausibleThickness(const WholeResult& whole, double thicknessMm);

// The constants a calculation type computes with (type 1 by the norm set),
// in the order the protocol lists them.
std::span<const MethodConstant* const> ConstantsOf(int type, bool currentNorm);

}  // namespace kaldora
