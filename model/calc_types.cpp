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
     kThickness, {}, kSurfaceAndFlux, kSurfaceOnly},
    {CalcType::Condensation,
     "Расчет толщины изоляции\n с целью предотвращения конденсации влаги\n на поверхности изоляции",
     kCondensationFields, true, true, false, true, false, false, kSlotDiameter, 1,
     &kSinglePipeDiameters, kPipe, {},
     {kDiameter, kCarrier, kAir,
      {"Относительная влажность окружающего воздуха (%)", Source::Slot, 32}, kBlank, kBlank,
      kBlank, kBlank, kBlank},
     kThickness, {}, kSurfaceAndFlux, kSurfaceAndFlux},
    {CalcType::SurfaceTemperature,
     "Расчет толщины изоляции\n по заданной температуре\n на поверхности изоляции",
     kSurfaceFields, true, true, false, false, false, true, kSlotDiameter, 1, &kSinglePipeDiameters,
     kPipe, {},
     {kDiameter, kCarrier, kAir, {"Заданная температура на поверхности (0С)", Source::Slot, 7},
      kBlank, kBlank, kBlank, kBlank, kBlank},
     kThickness, {}, kSurfaceAndFlux, kFluxOnly},
    {CalcType::FreezeProtection,
     "Расчет толщины изоляции\n с целью предотвращения\n замерзания воды в трубопроводе",
     kFreezeFields, false, false, false, false, false, false, kSlotDiameter, 1,
     &kSinglePipeDiameters, kPipe, {},
     {kDiameter, {"Толщина стенки трубы (мм)", Source::Slot, 8},
      {"Начальная температура воды (0С)", Source::Slot, 11}, kAir,
      {"Заданное время прекращения движения воды (час)", Source::Slot, 16}, kBlank,
      {"Примечание: расчет проводится для стальных трубопроводов", Source::Blank, 0}, kBlank,
      kBlank},
     kThickness, {}, kSurfaceAndFlux, kSurfaceAndFlux},
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
     kChannelAir},
}};

bool IsCalcType(int type) { return type >= 1 && type < kTypeCount; }

const CalcTypeInfo& TypeInfo(int type) { return CalcTypes[static_cast<std::size_t>(type - 1)]; }

const CalcTypeInfo& RecommendingType() {
    for (const CalcTypeInfo& info : CalcTypes)
        if (info.recommendsSurface) return info;
    return CalcTypes.front();  // not reached: one type recommends
}

}  // namespace kaldora
