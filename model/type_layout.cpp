#include "model/type_layout.h"

#include "model/calc_types.h"

namespace kaldora {

namespace {

constexpr int kPanelLeft = 416;

// Every shown panel stands at the same left edge; only the tops differ.
LayoutTable MakeTable(bool left) {
    LayoutTable table{};
    for (const CalcTypeInfo& info : CalcTypes)
        for (const SlotPlacement& p : info.placements)
            table[static_cast<std::size_t>(info.Number())][static_cast<std::size_t>(p.slot)] =
                left ? kPanelLeft : p.top;
    return table;
}

std::array<std::string_view, kTypeCount> MakeHeadings() {
    std::array<std::string_view, kTypeCount> headings{" "};
    for (const CalcTypeInfo& info : CalcTypes)
        headings[static_cast<std::size_t>(info.Number())] = info.heading;
    return headings;
}

}  // namespace

const LayoutTable SlotLeft = MakeTable(true);
const LayoutTable SlotTop = MakeTable(false);
const std::array<std::string_view, kTypeCount> TypeHeadings = MakeHeadings();

bool SlotHasControls(int slot) { return slot != 2 && slot != 22 && slot != 26; }

bool IsDiameterSlot(int slot) {
    for (const CalcTypeInfo& info : CalcTypes)
        if (info.diameterSlot == slot) return true;
    return false;
}

const std::array<SlotDesign, 17> ShownSlotDesigns = {{
    {1, " Температура воздуха (0С) =", 211, 170, 33, false, "20", "", false, "°C"},
    {3, " Диаметр трубопровода (мм) =", 238, 181, 49, true, "108", "", false, "мм"},
    {4, " Температура теплоносителя (0С) =", 254, 213, 33, false, "350", "", false, "°C"},
    {6, " Норма тепловых потерь (Вт/м) =", 244, 195, 41, true, "20,0", "Для справки", false, "Вт/м", true},
    {7, " Заданная температура на поверхности (0С) =", 313, 272, 33, false, "20", "", false, "°C"},
    {8, " Толщина стенки трубопровода (мм) =", 273, 224, 41, false, "5,0", "", false, "мм"},
    {11, " Начальная температура воды (0С) =", 261, 220, 33, false, "20", "", false, "°C"},
    {16, " Время отсутствия движения (час) = ", 257, 216, 33, false, "20", "", false, "ч"},
    {17, " Температура грунта (0С) =", 201, 160, 33, false, "5", "", false, "°C"},
    {18, " Коэффициент теплопроводности грунта (Вт/м 0С) =", 350, 309, 33, false, "1,8", "",
     false, "Вт/(м·°C)"},
    {19, " Глубина заложения канала (м) =", 241, 200, 33, false, "2,0", "До оси канала", true, "м"},
    {20, " Высота канала (м) =", 177, 128, 41, false, "0,555", "", false, "м"},
    {21, " Ширина канала (м) =", 177, 128, 41, false, "0,555", "", false, "м"},
    {23, " Диаметры подающей и обратной трубы (мм) =", 331, 273, 49, true, "108", "", false, "мм"},
    {24, " Температура в подающей трубе (0С) =", 270, 230, 33, true, "65", "", false, "°C"},
    {27, " Температура в обратной трубе (0С) =", 263, 222, 33, true, "50", "Для справки", false, "°C"},
    {32, " Относительная влажность воздуха (%) =", 295, 246, 41, false, "20", "", false, "%"},
}};

const SlotDesign* FindSlotDesign(int slot) {
    for (const SlotDesign& design : ShownSlotDesigns)
        if (design.slot == slot) return &design;
    return nullptr;
}

}  // namespace kaldora
