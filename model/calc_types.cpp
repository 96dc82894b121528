#include "model/calc_types.h"

namespace kaldora {

namespace {

using Source = ReportRow::Source;

constexpr SlotPlacement kNormFields[] = {{1, 8}, {3, 40}, {4, 72}, {6, 136}};
constexpr SlotPlacement kCondensationFields[] = {{1, 8}, {3, 40}, {4, 72}, {32, 136}};
constexpr SlotPlacement kSurfaceFields[] = {{1, 8}, {3, 40}, {4, 72}, {7, 136}};
constexpr SlotPlacement kFreezeFields[] = {{1, 8}, {3, 40}, {8, 72}, {11, 104}, {16, 136}};
constexpr SlotPlacement kChannelFields[] = {{17, 8},  {18, 40},  {19, 72},  {20, 104},
                                            {21, 136}, {23, 168}, {24, 200}, {27, 232}};

constexpr DiameterList kSinglePipeDiameters = {"18", "25",  "32",  "45",  "57",  "76",
                                               "89", "108", "133", "159", "219", "273"};
constexpr DiameterList kChannelDiameters = {"32", "38",  "45",  "57",  "76",  "89",
                                            "108", "133", "159", "219", "273", " "};

constexpr ReportRow kBlank{" ", Source::Blank, 0};
constexpr ReportRow kDiameter{"Диаметр трубопровода (мм)", Source::SlotMm, 3};
constexpr ReportRow kCarrier{"Температура теплоносителя (0С)", Source::Slot, 4};
constexpr ReportRow kAir{"Температура окружающего воздуха (0С)", Source::Slot, 1};
constexpr ReportRow kHours{"Число часов работы в год", Source::Hours, 0};

constexpr ReportResultRow kChannelLosses[] = {
    {"Тепловые потери подающего трубопровода (Вт/м)", 29},
    {"Тепловые потери обратного трубопровода (Вт/м)", 30},
};

constexpr WholeKind kSurfaceAndFlux[] = {WholeKind::SurfaceTemp, WholeKind::HeatFlux};
constexpr WholeKind kSurfaceOnly[] = {WholeKind::SurfaceTemp};  // the norm is the flux
constexpr WholeKind kFluxOnly[] = {WholeKind::HeatFlux};        // the surface is an input
constexpr WholeKind kChannelAir[] = {WholeKind::ChannelAirTemp};

constexpr std::string_view kPipe = "Труба";
constexpr std::string_view kThickness = "Расчетная толщина тепловой изоляции (мм)";

}  // namespace

// Constant-initialised: the tables derived from it at start-up may rely on it.
constexpr std::array<CalcTypeInfo, kTypeCount - 1> CalcTypes = {{
    {CalcType::HeatLossNorm,
     "Расчет толщины изоляции\n по нормам плотности теплового потока",
     kNormFields, true, true, true, false, true, false, kSlotDiameter, 1, &kSinglePipeDiameters,
     kPipe, {},
     {kDiameter, kCarrier, kAir, kHours, {"Плотность теплового потока (Вт/м)", Source::Slot, 6},
      kBlank, kBlank, kBlank, kBlank},
     kThickness, {}, kSurfaceAndFlux, kSurfaceOnly,
     "Тепловой поток через изоляцию 1 м трубопровода равен норме q:\n"
     "q = (t_m − t_a) / (R_из + R_пов), R_из = ln(x/D) / (2πλ), R_пов = 1 / (παx).\n"
     "Отсюда ln x = a − b/x, a = ln D + 2πλ(t_m − t_a)/q, b = 2λ/α.\n"
     "α — на открытом воздухе, в помещении по покрытию (значения — в таблице постоянных).\n"
     "λ берется при средней температуре слоя (t_s + t_m)/2; t_s уточняется проходами:\n"
     "T = t_m − q·ln(x/D)/(2πλ), t_s := (t_s + T)/2, пока |t_s − T| > Δt (не более N_max проходов).",
     true},
    {CalcType::Condensation,
     "Расчет толщины изоляции\n с целью предотвращения конденсации влаги\n на поверхности изоляции",
     kCondensationFields, true, true, false, true, false, false, kSlotDiameter, 1,
     &kSinglePipeDiameters, kPipe, {},
     {kDiameter, kCarrier, kAir,
      {"Относительная влажность окружающего воздуха (%)", Source::Slot, 32}, kBlank, kBlank,
      kBlank, kBlank, kBlank},
     kThickness, {}, kSurfaceAndFlux, kSurfaceAndFlux,
     "Поверхность изоляции холодного трубопровода не холоднее точки росы t_р:\n"
     "E — давление насыщенного пара при t_a (таблица), e = E·φ/100, t_р — по таблице при e.\n"
     "Баланс (t_р − t_m)/R_из = (t_a − t_р)/R_пов, R_из = ln(x/D)/(2πλ), R_пов = 1/(παx):\n"
     "ln x = a − b/x, a = ln D, b = −2λ(t_р − t_m)/((t_a − t_р)·α), λ постоянна.\n"
     "α — по покрытию (значения — в таблице постоянных)."},
    {CalcType::SurfaceTemperature,
     "Расчет толщины изоляции\n по заданной температуре\n на поверхности изоляции",
     kSurfaceFields, true, true, false, false, false, true, kSlotDiameter, 1, &kSinglePipeDiameters,
     kPipe, {},
     {kDiameter, kCarrier, kAir, {"Заданная температура на поверхности (0С)", Source::Slot, 7},
      kBlank, kBlank, kBlank, kBlank, kBlank},
     kThickness, {}, kSurfaceAndFlux, kFluxOnly,
     "Задана температура поверхности изоляции t_s:\n"
     "(t_m − t_s)/R_из = (t_s − t_a)/R_пов, R_из = ln(x/D)/(2πλ), R_пов = 1/(παx):\n"
     "ln x = a − b/x, a = ln D, b = −2λ(t_m − t_s)/((t_s − t_a)·α).\n"
     "λ берется при средней температуре слоя (t_m + t_s)/2; α — по покрытию (таблица постоянных)."},
    {CalcType::FreezeProtection,
     "Расчет толщины изоляции\n с целью предотвращения\n замерзания воды в трубопроводе",
     kFreezeFields, false, false, false, false, false, false, kSlotDiameter, 1,
     &kSinglePipeDiameters, kPipe, {},
     {kDiameter, {"Толщина стенки трубы (мм)", Source::Slot, 8},
      {"Начальная температура воды (0С)", Source::Slot, 11}, kAir,
      {"Заданное время прекращения движения воды (час)", Source::Slot, 16}, kBlank,
      {"Примечание: расчет проводится для стальных трубопроводов", Source::Blank, 0}, kBlank,
      kBlank},
     kThickness, {}, kSurfaceAndFlux, kSurfaceAndFlux,
     "Вода в трубе без движения τ часов должна замерзнуть не более чем на долю ψ:\n"
     "R = k_τ·τ / (Q_охл + Q_зам) — требуемое сопротивление изоляции и поверхности,\n"
     "Q_охл = 2t_w(F_в·ρ_в·c_в + F_ст·ρ_ст·c_ст)/(t_w − 2t_a), Q_зам = ψ·F_в·ρ_в·L/(−t_a),\n"
     "ρ_в, ρ_ст, c_в, c_ст, L — в таблице постоянных (теплоты в Вт·ч: /3,6).\n"
     "R_из + R_пов = R: ln x = a − b/x, a = ln D + 2πλR, b = 2πλ/(πα); λ и α постоянны.\n"
     "Тепловой поток и температура поверхности — в начале простоя, при воде t_w.",
     false, "в начале простоя"},
    {CalcType::ChannelTwoPipe,
     "Расчет толщины изоляции\n трубопроводов тепловых сетей\n двухтрубной канальной прокладки",
     kChannelFields, false, false, true, false, false, false, 23, 2, &kChannelDiameters,
     "Труба (подающая и обратная)", "В непроходном канале",
     {{{"Диаметры подающего и обратного трубопроводов (мм)", Source::SlotMm, 23},
       {"Температура теплоносителя в подающем трубопроводе (0С)", Source::Slot, 24},
       {"Температура теплоносителя в обратном трубопроводе (0С)", Source::Slot, 27},
       {"Глубина заложения канала до оси канала (м)", Source::Slot, 19},
       {"Высота канала (м)", Source::Slot, 20},
       {"Ширина канала (м)", Source::Slot, 21},
       {"Температура грунта или окружающего воздуха при глубине заложения менее 0,7м (0С)",
        Source::Slot, 17},
       {"Коэффициент теплопроводности грунта (Вт/м 0С)", Source::Slot, 18},
       kHours}},
     "Расчетная толщина для подающего и обратного трубопроводов (мм)", kChannelLosses, kChannelAir,
     kChannelAir,
     "Подающий трубопровод теряет норму q₁ (таблица для непроходного канала).\n"
     "Воздух в канале: t_к = t_гр + k_к·(R_к + R_гр)·q₁·k, k = (q₁ + q₂)/q₁,\n"
     "R_к = (w + h)/(2π·α·w·h), R_гр = (ln(3,5H/h) + 0,25·ln(h/w))/((0,5w/h + 5,7)·λ_гр), α — в канале.\n"
     "Подающая труба: ln x = a − b/x, a = ln D + 2πλ₁(t₁ − t_к)/q₁, b = 2λ₁/α;\n"
     "обратная: q₂ = (t₂ − t_к)/(R_из2 + R_пов), R_из = ln(x/D)/(2πλ), R_пов = 1/(παx).\n"
     "λ₁, λ₂ — при средних температурах слоев; t_s1, t_s2 и k уточняются осреднением,\n"
     "пока изменение за проход больше ε_max (не более N_max проходов)."},
}};

bool IsCalcType(int type) { return type >= 1 && type < kTypeCount; }

const CalcTypeInfo& TypeInfo(int type) { return CalcTypes[static_cast<std::size_t>(type - 1)]; }

const CalcTypeInfo& RecommendingType() {
    for (const CalcTypeInfo& info : CalcTypes)
        if (info.recommendsSurface) return info;
    return CalcTypes.front();  // not reached: one type recommends
}

}  // namespace kaldora
