#include "model/calc_types.h"

namespace kaldora {

namespace {

using Source = ReportRow::Source;

constexpr SlotPlacement kNormFields[] = {
    {kSlotAirTemp, 8}, {kSlotDiameter, 40}, {kSlotCarrierTemp, 72}, {kSlotNormFlux, 136}};
constexpr SlotPlacement kCondensationFields[] = {
    {kSlotAirTemp, 8}, {kSlotDiameter, 40}, {kSlotCarrierTemp, 72}, {kSlotHumidity, 136}};
constexpr SlotPlacement kSurfaceFields[] = {
    {kSlotAirTemp, 8}, {kSlotDiameter, 40}, {kSlotCarrierTemp, 72}, {kSlotSurfaceTemp, 136}};
constexpr SlotPlacement kFreezeFields[] = {{kSlotAirTemp, 8},
                                           {kSlotDiameter, 40},
                                           {kSlotWallThickness, 72},
                                           {kSlotWaterTemp, 104},
                                           {kSlotStandstillHours, 136}};
constexpr SlotPlacement kChannelFields[] = {
    {kSlotSoilTemp, 8},       {kSlotSoilConductivity, 40}, {kSlotChannelDepth, 72}, {kSlotChannelHeight, 104},
    {kSlotChannelWidth, 136}, {kSlotPipeDiameters, 168},   {kSlotSupplyTemp, 200},  {kSlotReturnTemp, 232}};

constexpr DiameterList kSinglePipeDiameters = {"18", "25",  "32",  "45",  "57",  "76",
                                               "89", "108", "133", "159", "219", "273"};
constexpr DiameterList kChannelDiameters = {"32", "38", "45", "57", "76", "89", "108", "133", "159", "219", "273", " "};

// A report row with a slot's value, named as the slot table names it.
constexpr ReportRow SlotRow(int slot) { return {FindSlotDesign(slot)->reportName, Source::Slot, slot}; }

constexpr ReportRow kBlank{" ", Source::Blank, 0};
constexpr ReportRow kDiameter = SlotRow(kSlotDiameter);
constexpr ReportRow kCarrier = SlotRow(kSlotCarrierTemp);
constexpr ReportRow kAir = SlotRow(kSlotAirTemp);
constexpr ReportRow kHours{"Число часов работы в год", Source::Hours, 0};

constexpr ReportResultRow kChannelLosses[] = {
    {"Тепловые потери подающего трубопровода (Вт/м)", kSlotSupplyLoss},
    {"Тепловые потери обратного трубопровода (Вт/м)", kSlotReturnLoss},
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
    {.type = CalcType::HeatLossNorm,
     .heading = "Расчет толщины изоляции\n по нормам плотности теплового потока",
     .placements = kNormFields,
     .locationPlate = true,
     .coverPlate = true,
     .hoursPlate = true,
     .alwaysIndoors = false,
     .writesFieldsBack = true,
     .recommendsSurface = false,
     .diameterSlot = kSlotDiameter,
     .pipes = 1,
     .diameterItems = &kSinglePipeDiameters,
     .reportObject = kPipe,
     .reportPlacement = {},
     .reportRows = {kDiameter, kCarrier, kAir, kHours, SlotRow(kSlotNormFlux), kBlank, kBlank, kBlank, kBlank},
     .reportResultName = kThickness,
     .reportResults = {},
     .wholeResults = kSurfaceAndFlux,
     .screenResults = kSurfaceOnly,
     .method = "Тепловой поток через изоляцию 1 м трубопровода равен норме q:\n"
               "q = (t_m − t_a) / (R_из + R_пов), R_из = ln(x/D) / (2πλ), R_пов = 1 / (παx).\n"
               "Отсюда ln x = a − b/x, a = ln D + 2πλ(t_m − t_a)/q, b = 2λ/α.\n"
               "α — на открытом воздухе, в помещении по покрытию (значения — в таблице постоянных).\n"
               "λ берется при средней температуре слоя (t_s + t_m)/2; t_s уточняется проходами:\n"
               "T = t_m − q·ln(x/D)/(2πλ), t_s := (t_s + T)/2, пока |t_s − T| > Δt (не более N_max проходов).",
     .normChoice = true},
    {.type = CalcType::Condensation,
     .heading = "Расчет толщины изоляции\n с целью предотвращения конденсации влаги\n на поверхности изоляции",
     .placements = kCondensationFields,
     .locationPlate = true,
     .coverPlate = true,
     .hoursPlate = false,
     .alwaysIndoors = true,
     .writesFieldsBack = false,
     .recommendsSurface = false,
     .diameterSlot = kSlotDiameter,
     .pipes = 1,
     .diameterItems = &kSinglePipeDiameters,
     .reportObject = kPipe,
     .reportPlacement = {},
     .reportRows = {kDiameter, kCarrier, kAir, SlotRow(kSlotHumidity), kBlank, kBlank, kBlank, kBlank, kBlank},
     .reportResultName = kThickness,
     .reportResults = {},
     .wholeResults = kSurfaceAndFlux,
     .screenResults = kSurfaceAndFlux,
     .method = "Поверхность изоляции холодного трубопровода не холоднее точки росы t_р:\n"
               "E — давление насыщенного пара при t_a (таблица), e = E·φ/100, t_р — по таблице при e.\n"
               "Баланс (t_р − t_m)/R_из = (t_a − t_р)/R_пов, R_из = ln(x/D)/(2πλ), R_пов = 1/(παx):\n"
               "ln x = a − b/x, a = ln D, b = −2λ(t_р − t_m)/((t_a − t_р)·α), λ постоянна.\n"
               "α — по покрытию (значения — в таблице постоянных)."},
    {.type = CalcType::SurfaceTemperature,
     .heading = "Расчет толщины изоляции\n по заданной температуре\n на поверхности изоляции",
     .placements = kSurfaceFields,
     .locationPlate = true,
     .coverPlate = true,
     .hoursPlate = false,
     .alwaysIndoors = false,
     .writesFieldsBack = false,
     .recommendsSurface = true,
     .diameterSlot = kSlotDiameter,
     .pipes = 1,
     .diameterItems = &kSinglePipeDiameters,
     .reportObject = kPipe,
     .reportPlacement = {},
     .reportRows = {kDiameter, kCarrier, kAir, SlotRow(kSlotSurfaceTemp), kBlank, kBlank, kBlank, kBlank, kBlank},
     .reportResultName = kThickness,
     .reportResults = {},
     .wholeResults = kSurfaceAndFlux,
     .screenResults = kFluxOnly,
     .method = "Задана температура поверхности изоляции t_s:\n"
               "(t_m − t_s)/R_из = (t_s − t_a)/R_пов, R_из = ln(x/D)/(2πλ), R_пов = 1/(παx):\n"
               "ln x = a − b/x, a = ln D, b = −2λ(t_m − t_s)/((t_s − t_a)·α).\n"
               "λ берется при средней температуре слоя (t_m + t_s)/2; α — по покрытию (таблица постоянных)."},
    {.type = CalcType::FreezeProtection,
     .heading = "Расчет толщины изоляции\n с целью предотвращения\n замерзания воды в трубопроводе",
     .placements = kFreezeFields,
     .locationPlate = false,
     .coverPlate = false,
     .hoursPlate = false,
     .alwaysIndoors = false,
     .writesFieldsBack = false,
     .recommendsSurface = false,
     .diameterSlot = kSlotDiameter,
     .pipes = 1,
     .diameterItems = &kSinglePipeDiameters,
     .reportObject = kPipe,
     .reportPlacement = {},
     .reportRows = {kDiameter,
                    SlotRow(kSlotWallThickness),
                    SlotRow(kSlotWaterTemp),
                    kAir,
                    SlotRow(kSlotStandstillHours),
                    kBlank,
                    {"Примечание: расчет проводится для стальных трубопроводов", Source::Blank, 0},
                    kBlank,
                    kBlank},
     .reportResultName = kThickness,
     .reportResults = {},
     .wholeResults = kSurfaceAndFlux,
     .screenResults = kSurfaceAndFlux,
     .method = "Вода в трубе без движения τ часов должна замерзнуть не более чем на долю ψ:\n"
               "R = k_τ·τ / (Q_охл + Q_зам) — требуемое сопротивление изоляции и поверхности,\n"
               "Q_охл = 2t_w(F_в·ρ_в·c_в + F_ст·ρ_ст·c_ст)/(t_w − 2t_a), Q_зам = ψ·F_в·ρ_в·L/(−t_a),\n"
               "ρ_в, ρ_ст, c_в, c_ст, L — в таблице постоянных (теплоты в Вт·ч: /3,6).\n"
               "R_из + R_пов = R: ln x = a − b/x, a = ln D + 2πλR, b = 2πλ/(πα); λ и α постоянны.\n"
               "Тепловой поток и температура поверхности — в начале простоя, при воде t_w.",
     .normChoice = false,
     .wholeMoment = "в начале простоя"},
    {.type = CalcType::ChannelTwoPipe,
     .heading = "Расчет толщины изоляции\n трубопроводов тепловых сетей\n двухтрубной канальной прокладки",
     .placements = kChannelFields,
     .locationPlate = false,
     .coverPlate = false,
     .hoursPlate = true,
     .alwaysIndoors = false,
     .writesFieldsBack = false,
     .recommendsSurface = false,
     .diameterSlot = kSlotPipeDiameters,
     .pipes = 2,
     .diameterItems = &kChannelDiameters,
     .reportObject = "Труба (подающая и обратная)",
     .reportPlacement = "В непроходном канале",
     .reportRows = {SlotRow(kSlotPipeDiameters), SlotRow(kSlotSupplyTemp), SlotRow(kSlotReturnTemp),
                    SlotRow(kSlotChannelDepth), SlotRow(kSlotChannelHeight), SlotRow(kSlotChannelWidth),
                    SlotRow(kSlotSoilTemp), SlotRow(kSlotSoilConductivity), kHours},
     .reportResultName = "Расчетная толщина для подающего и обратного трубопроводов (мм)",
     .reportResults = kChannelLosses,
     .wholeResults = kChannelAir,
     .screenResults = kChannelAir,
     .method = "Подающий трубопровод теряет норму q₁ (таблица для непроходного канала).\n"
               "Воздух в канале: t_к = t_гр + k_к·(R_к + R_гр)·q₁·k, k = (q₁ + q₂)/q₁,\n"
               "R_к = (w + h)/(2π·α·w·h), R_гр = (ln(3,5H/h) + 0,25·ln(h/w))/((0,5w/h + 5,7)·λ_гр), "
               "α — в канале.\n"
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
