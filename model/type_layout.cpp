#include "model/type_layout.h"

#include <initializer_list>

namespace kaldora {

namespace {

struct Placement {
    int slot;
    int top;
};

constexpr int kPanelLeft = 416;

// Every shown panel stands at the same left edge; only the tops differ.
constexpr std::array<std::initializer_list<Placement>, kTypeCount> kPlacements = {{
    {},
    {{1, 8}, {3, 40}, {4, 72}, {6, 136}},
    {{1, 8}, {3, 40}, {4, 72}, {32, 136}},
    {{1, 8}, {3, 40}, {4, 72}, {7, 136}},
    {{1, 8}, {3, 40}, {8, 72}, {11, 104}, {16, 136}},
    {{17, 8}, {18, 40}, {19, 72}, {20, 104}, {21, 136}, {23, 168}, {24, 200}, {27, 232}},
}};

constexpr LayoutTable MakeTable(bool left) {
    LayoutTable table{};
    for (int t = 0; t < kTypeCount; ++t)
        for (const Placement& p : kPlacements[static_cast<std::size_t>(t)])
            table[static_cast<std::size_t>(t)][static_cast<std::size_t>(p.slot)] =
                left ? kPanelLeft : p.top;
    return table;
}

}  // namespace

const LayoutTable SlotLeft = MakeTable(true);
const LayoutTable SlotTop = MakeTable(false);

const std::array<std::string_view, kTypeCount> TypeHeadings = {
    " ",
    "Расчет толщины изоляции\n по нормам плотности теплового потока",
    "Расчет толщины изоляции\n с целью предотвращения конденсации влаги\n на поверхности изоляции",
    "Расчет толщины изоляции\n по заданной температуре\n на поверхности изоляции",
    "Расчет толщины изоляции\n с целью предотвращения\n замерзания воды в трубопроводе",
    "Расчет толщины изоляции\n трубопроводов тепловых сетей\n двухтрубной канальной прокладки",
};

bool IsSlotVisible(int type, int slot) {
    if (type < 0 || type >= kTypeCount || slot < 0 || slot >= kLayoutSlots) return false;
    return SlotLeft[static_cast<std::size_t>(type)][static_cast<std::size_t>(slot)] != 0;
}

bool SlotHasControls(int slot) { return slot != 2 && slot != 22 && slot != 26; }

bool IsDiameterSlot(int slot) { return slot == 3 || slot == 23; }

const std::array<SlotDesign, 17> ShownSlotDesigns = {{
    {1, " Температура воздуха (0С) =", 211, 170, 33, false, "20", "", false},
    {3, " Диаметр трубопровода (мм) =", 238, 181, 49, true, "108", "", false},
    {4, " Температура теплоносителя (0С) =", 254, 213, 33, false, "350", "", false},
    {6, " Норма тепловых потерь (Вт/м) =", 244, 195, 41, true, "20,0", "Для справки", false},
    {7, " Заданная температура на поверхности (0С) =", 313, 272, 33, false, "20", "", false},
    {8, " Толщина стенки трубопровода (мм) =", 273, 224, 41, false, "5,0", "", false},
    {11, " Начальная температура воды (0С) =", 261, 220, 33, false, "20", "", false},
    {16, " Время отсутствия движения (час) = ", 257, 216, 33, false, "20", "", false},
    {17, " Температура грунта (0С) =", 201, 160, 33, false, "5", "", false},
    {18, " Коэффициент теплопроводности грунта (Вт/м 0С) =", 350, 309, 33, false, "1,8", "",
     false},
    {19, " Глубина заложения канала (м) =", 241, 200, 33, false, "2,0", "До оси канала", true},
    {20, " Высота канала (м) =", 177, 128, 41, false, "0,555", "", false},
    {21, " Ширина канала (м) =", 177, 128, 41, false, "0,555", "", false},
    {23, " Диаметры подающей и обратной трубы (мм) =", 331, 273, 49, true, "108", "", false},
    {24, " Температура в подающей трубе (0С) =", 270, 230, 33, true, "65", "", false},
    {27, " Температура в обратной трубе (0С) =", 263, 222, 33, true, "50", "Для справки", false},
    {32, " Относительная влажность воздуха (%) =", 295, 246, 41, false, "20", "", false},
}};

const SlotDesign* FindSlotDesign(int slot) {
    for (const SlotDesign& design : ShownSlotDesigns)
        if (design.slot == slot) return &design;
    return nullptr;
}

}  // namespace kaldora
