// The slots of a type's row: a name for each place that holds a value, and
// for every slot a field shows, what the window, the report, the protocol
// and the tables need of it. Nothing else spells a slot by its number.
#pragma once

#include <array>
#include <string_view>

namespace kaldora {

inline constexpr int kSlotAirTemp = 1;
inline constexpr int kSlotAlpha = 2;  // heat transfer at the surface, internal
inline constexpr int kSlotDiameter = 3;
inline constexpr int kSlotCarrierTemp = 4;
inline constexpr int kSlotThickness = 5;  // the result line's
inline constexpr int kSlotNormFlux = 6;
inline constexpr int kSlotSurfaceTemp = 7;
inline constexpr int kSlotWallThickness = 8;
inline constexpr int kSlotWaterTemp = 11;
inline constexpr int kSlotStandstillHours = 16;
inline constexpr int kSlotSoilTemp = 17;
inline constexpr int kSlotSoilConductivity = 18;
inline constexpr int kSlotChannelDepth = 19;
inline constexpr int kSlotChannelHeight = 20;
inline constexpr int kSlotChannelWidth = 21;
inline constexpr int kSlotChannelAlpha = 22;  // internal
inline constexpr int kSlotPipeDiameters = 23;
inline constexpr int kSlotSupplyTemp = 24;
inline constexpr int kSlotPipeThickness = 25;
inline constexpr int kSlotSpare = 26;  // internal, holds nothing
inline constexpr int kSlotReturnTemp = 27;
inline constexpr int kSlotSupplyLoss = 29;
inline constexpr int kSlotReturnLoss = 30;
inline constexpr int kSlotHumidity = 32;

// Diameters and the thickness are typed and shown in millimetres and held in
// metres; every other slot is held as typed.
constexpr bool HeldInMetres(int slot) {
    return slot == kSlotDiameter || slot == kSlotPipeDiameters || slot == kSlotThickness;
}
constexpr double HeldFromTyped(int slot, double typed) { return HeldInMetres(slot) ? typed * 0.001 : typed; }
constexpr double TypedFromHeld(int slot, double held) { return HeldInMetres(slot) ? held * 1000.0 : held; }

// Slots that hold an internal value and have no panel or edit box.
constexpr bool SlotHasControls(int slot) {
    return slot != kSlotAlpha && slot != kSlotChannelAlpha && slot != kSlotSpare;
}

struct SlotDesign {
    int slot;
    std::string_view caption;
    int panelWidth;
    int editLeft;
    int editWidth;
    bool readOnly;
    std::string_view designText;
    std::string_view panelHint;  // empty: none
    bool editHasHint;            // the edit box carries the panel hint too
    std::string_view unit;       // of the value as typed
    bool showsResult;            // a result the calculation writes, not an input
    std::string_view reportName;
    // The table column of the slot; empty where a column of its own (the
    // diameter) stands for it.
    std::string_view columnEnglish;
    std::string_view columnRussian;
};

// The slots that some type shows, in slot order.
inline constexpr std::array<SlotDesign, 17> ShownSlotDesigns = {{
    {kSlotAirTemp, " Температура воздуха (0С) =", 211, 170, 33, false, "20", "", false, "°C", false,
     "Температура окружающего воздуха (0С)", "air_temp", "Температура воздуха, °C"},
    {kSlotDiameter, " Диаметр трубопровода (мм) =", 238, 181, 49, true, "108", "", false, "мм", false,
     "Диаметр трубопровода (мм)", "", ""},
    {kSlotCarrierTemp, " Температура теплоносителя (0С) =", 254, 213, 33, false, "350", "", false, "°C", false,
     "Температура теплоносителя (0С)", "medium_temp", "Температура теплоносителя, °C"},
    {kSlotNormFlux, " Норма тепловых потерь (Вт/м) =", 244, 195, 41, true, "20,0", "Для справки", false, "Вт/м", true,
     "Плотность теплового потока (Вт/м)", "", ""},
    {kSlotSurfaceTemp, " Заданная температура на поверхности (0С) =", 313, 272, 33, false, "20", "", false, "°C", false,
     "Заданная температура на поверхности (0С)", "surface_temp", "Температура на поверхности, °C"},
    {kSlotWallThickness, " Толщина стенки трубопровода (мм) =", 273, 224, 41, false, "5,0", "", false, "мм", false,
     "Толщина стенки трубы (мм)", "wall_mm", "Толщина стенки, мм"},
    {kSlotWaterTemp, " Начальная температура воды (0С) =", 261, 220, 33, false, "20", "", false, "°C", false,
     "Начальная температура воды (0С)", "water_temp", "Начальная температура воды, °C"},
    {kSlotStandstillHours, " Время отсутствия движения (час) = ", 257, 216, 33, false, "20", "", false, "ч", false,
     "Заданное время прекращения движения воды (час)", "standstill_h", "Время без движения, ч"},
    {kSlotSoilTemp, " Температура грунта (0С) =", 201, 160, 33, false, "5", "", false, "°C", false,
     "Температура грунта или окружающего воздуха при глубине заложения менее 0,7м (0С)", "soil_temp",
     "Температура грунта, °C"},
    {kSlotSoilConductivity, " Коэффициент теплопроводности грунта (Вт/м 0С) =", 350, 309, 33, false, "1,8", "", false,
     "Вт/(м·°C)", false, "Коэффициент теплопроводности грунта (Вт/м 0С)", "soil_conductivity",
     "Теплопроводность грунта, Вт/(м·°C)"},
    {kSlotChannelDepth, " Глубина заложения канала (м) =", 241, 200, 33, false, "2,0", "До оси канала", true, "м",
     false, "Глубина заложения канала до оси канала (м)", "channel_depth", "Глубина заложения, м"},
    {kSlotChannelHeight, " Высота канала (м) =", 177, 128, 41, false, "0,555", "", false, "м", false,
     "Высота канала (м)", "channel_height", "Высота канала, м"},
    {kSlotChannelWidth, " Ширина канала (м) =", 177, 128, 41, false, "0,555", "", false, "м", false,
     "Ширина канала (м)", "channel_width", "Ширина канала, м"},
    {kSlotPipeDiameters, " Диаметры подающей и обратной трубы (мм) =", 331, 273, 49, true, "108", "", false, "мм",
     false, "Диаметры подающего и обратного трубопроводов (мм)", "", ""},
    {kSlotSupplyTemp, " Температура в подающей трубе (0С) =", 270, 230, 33, true, "65", "", false, "°C", false,
     "Температура теплоносителя в подающем трубопроводе (0С)", "supply_temp", "Температура в подающей трубе, °C"},
    {kSlotReturnTemp, " Температура в обратной трубе (0С) =", 263, 222, 33, true, "50", "Для справки", false, "°C",
     false, "Температура теплоносителя в обратном трубопроводе (0С)", "return_temp",
     "Температура в обратной трубе, °C"},
    {kSlotHumidity, " Относительная влажность воздуха (%) =", 295, 246, 41, false, "20", "", false, "%", false,
     "Относительная влажность окружающего воздуха (%)", "humidity", "Влажность воздуха, %"},
}};

// The design of a shown slot, or nullptr for a slot no type shows.
constexpr const SlotDesign* FindSlotDesign(int slot) {
    for (const SlotDesign& design : ShownSlotDesigns)
        if (design.slot == slot) return &design;
    return nullptr;
}

}  // namespace kaldora
