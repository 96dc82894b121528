#include "ui/fill_report.h"

#include <array>
#include <charconv>

#include "model/calc_data.h"
#include "model/number_text.h"
#include "model/type_layout.h"
#include "report/report_page.h"

namespace kaldora {

const std::string& FormatReportValue(std::string_view format, double value) {
    MessageBuffer = SwapFirstPoint(FormatWithRecord(std::string(format), value));
    return MessageBuffer;
}

namespace {

constexpr char kBlank[] = " ";

struct Row {
    const char* name;
    enum Source { Blank, Slot, SlotMm, Hours } source;
    int slot;
};

// Input rows of each type; missing rows are blank.
const std::array<Row, 9>& InputRows(int type) {
    static const Row diameter{"Диаметр трубопровода (мм)", Row::SlotMm, 3};
    static const Row carrier{"Температура теплоносителя (0С)", Row::Slot, 4};
    static const Row air{"Температура окружающего воздуха (0С)", Row::Slot, 1};
    static const Row hours{"Число часов работы в год", Row::Hours, 0};
    static const Row blank{kBlank, Row::Blank, 0};
    using Rows = std::array<Row, 9>;
    static const std::array<Rows, kTypeCount> rows = {
        Rows{{blank, blank, blank, blank, blank, blank, blank, blank, blank}},
        Rows{{diameter, carrier, air, hours, {"Плотность теплового потока (Вт/м)", Row::Slot, 6},
             blank, blank, blank, blank}},
        Rows{{diameter, carrier, air,
             {"Относительная влажность окружающего воздуха (%)", Row::Slot, 32}, blank, blank,
             blank, blank, blank}},
        Rows{{diameter, carrier, air, {"Заданная температура на поверхности (0С)", Row::Slot, 7},
             blank, blank, blank, blank, blank}},
        Rows{{diameter, {"Толщина стенки трубы (мм)", Row::Slot, 8},
             {"Начальная температура воды (0С)", Row::Slot, 11}, air,
             {"Заданное время прекращения движения воды (час)", Row::Slot, 16}, blank,
             {"Примечание: расчет проводится для стальных трубопроводов", Row::Blank, 0}, blank,
             blank}},
        Rows{{{"Диаметры подающего и обратного трубопроводов (мм)", Row::SlotMm, 23},
             {"Температура теплоносителя в подающем трубопроводе (0С)", Row::Slot, 24},
             {"Температура теплоносителя в обратном трубопроводе (0С)", Row::Slot, 27},
             {"Глубина заложения канала до оси канала (м)", Row::Slot, 19},
             {"Высота канала (м)", Row::Slot, 20},
             {"Ширина канала (м)", Row::Slot, 21},
             {"Температура грунта или окружающего воздуха при глубине заложения менее 0,7м (0С)",
              Row::Slot, 17},
             {"Коэффициент теплопроводности грунта (Вт/м 0С)", Row::Slot, 18},
             hours}},
    };
    return rows[static_cast<std::size_t>(type)];
}

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString SlotValue(int slot, double factor = 1.0) {
    return Q(FormatReportValue("%3.1f", CurrentSlot(slot) * factor));
}

QString HoursText(int type) {
    return Q(LongHoursFlag[type] ? "свыше 5000 часов" : "не более 5000 часов");
}

}  // namespace

void FillReport(ReportPage& page) {
    const int t = CurrentType;
    if (t < 1 || t >= kTypeCount) return;
    const bool channel = t == 5;
    page[QStringLiteral("QRRegName")].text = Q(TypeHeadings[static_cast<std::size_t>(t)]);
    page[QStringLiteral("QRImage2")].picture = page[QStringLiteral("QRImage1")].picture;

    page[QStringLiteral("QRCon")].text =
        channel ? QStringLiteral("Труба (подающая и обратная)") : QStringLiteral("Труба");
    page[QStringLiteral("QRStat")].text = channel             ? QStringLiteral("В непроходном канале")
                                          : IndoorsFlag[t]    ? QStringLiteral("В помещении")
                                                              : QStringLiteral("На открытом воздухе");
    page[QStringLiteral("QRType")].text = !channel && MetalCoverFlag[t]
                                              ? QStringLiteral("Металл")
                                              : QStringLiteral("Неметаллическое");

    const auto& rows = InputRows(t);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        QString value = QString::fromLatin1(kBlank);
        switch (row.source) {
            case Row::Blank: break;
            case Row::Slot: value = SlotValue(row.slot); break;
            case Row::SlotMm: value = SlotValue(row.slot, 1000.0); break;
            case Row::Hours: value = HoursText(t); break;
        }
        page[QStringLiteral("QRN%1").arg(i + 1)].text = QString::fromUtf8(row.name);
        page[QStringLiteral("QRD%1").arg(i + 1)].text = value;
    }

    page[QStringLiteral("QRResName")].text =
        channel ? QStringLiteral("Расчетная толщина для подающего и обратного трубопроводов (мм)")
                : QStringLiteral("Расчетная толщина тепловой изоляции (мм)");
    page[QStringLiteral("QRRes")].text = SlotValue(kSlotThickness, 1000.0);
    const QString blank = QString::fromLatin1(kBlank);
    page[QStringLiteral("QRQDir")].text =
        channel ? QStringLiteral("Тепловые потери подающего трубопровода (Вт/м)") : blank;
    page[QStringLiteral("QRResQDir")].text = channel ? SlotValue(29) : blank;
    page[QStringLiteral("QRQReDir")].text =
        channel ? QStringLiteral("Тепловые потери обратного трубопровода (Вт/м)") : blank;
    page[QStringLiteral("QRResQReDir")].text = channel ? SlotValue(30) : blank;
}

}  // namespace kaldora
