#include "ui/fill_report.h"

#include <array>
#include <charconv>

#include "engine/current_norm.h"
#include "model/calc_data.h"
#include "model/calc_types.h"
#include "model/number_text.h"
#include "model/type_layout.h"
#include "report/qt_text.h"
#include "report/report_page.h"
#include "screen/screens.h"

namespace kaldora {

std::string FormatReportValue(std::string_view format, double value) {
    return SwapFirstPoint(FormatWithRecord(std::string(format), value));
}

namespace {

constexpr char kBlank[] = " ";

// As typed: diameters and the thickness in millimetres.
QString SlotValue(const TypeScreen& screen, int slot) {
    return Q(FormatReportValue("%3.1f", TypedFromHeld(slot, screen.input.values[static_cast<std::size_t>(slot)])));
}

QString HoursText(bool longHours) { return Q(longHours ? "свыше 5000 часов" : "не более 5000 часов"); }

}  // namespace

void FillReport(ReportPage& page, const TypeScreen& screen) {
    const CalcInput& in = screen.input;
    const int t = in.type;
    if (!IsCalcType(t)) return;
    const CalcTypeInfo& info = TypeInfo(t);
    page[QStringLiteral("QRRegName")].text = Q(TypeHeadings[static_cast<std::size_t>(t)]);
    page[QStringLiteral("QRImage2")].picture = page[QStringLiteral("QRImage1")].picture;

    page[QStringLiteral("QRCon")].text = Q(info.reportObject);
    page[QStringLiteral("QRStat")].text = !info.reportPlacement.empty() ? Q(info.reportPlacement)
                                          : in.indoors                  ? QStringLiteral("В помещении")
                                                       : QStringLiteral("На открытом воздухе");
    page[QStringLiteral("QRType")].text =
        info.HasCoverOption() && in.metalCover ? QStringLiteral("Металл") : QStringLiteral("Неметаллическое");

    for (std::size_t i = 0; i < info.reportRows.size(); ++i) {
        const ReportRow& row = info.reportRows[i];
        QString value = QString::fromLatin1(kBlank);
        switch (row.source) {
            case ReportRow::Source::Blank: break;
            case ReportRow::Source::Slot: value = SlotValue(screen, row.slot); break;
            case ReportRow::Source::Hours: value = HoursText(in.longHours); break;
        }
        page[QStringLiteral("QRN%1").arg(i + 1)].text = Q(row.name);
        page[QStringLiteral("QRD%1").arg(i + 1)].text = value;
    }

    const NormChoice& norm = in.norm;
    page[QStringLiteral("QRNorm")].text = info.HasNormOption() && norm.set == NormSet::Sp61
                                              ? QStringLiteral("Нормы: ") + Q(TextOf(norm.set).title) +
                                                    QStringLiteral(", ") + Q(SupportsPhrase(norm.supports)) +
                                                    QStringLiteral("; район: ") + Q(TextOf(norm.region).title)
                                              : QString();

    page[QStringLiteral("QRNormCheck")].text =
        screen.calculated ? Q(DoubtfulCellsCaution(screen.whole.doubtfulCells)) : QString();

    page[QStringLiteral("QRResName")].text = Q(info.reportResultName);
    // A thickness the iterations did not settle on is printed as approximate.
    const WholeResult& whole = screen.whole;
    const bool approximate = screen.calculated && whole.answer == Answer::Thickness && whole.convergence.Approximate();
    page[QStringLiteral("QRRes")].text =
        (approximate ? QStringLiteral("≈ ") : QString()) + SlotValue(screen, kSlotThickness);
    // Up to two further result lines; the rest stay blank.
    const QString blank = QString::fromLatin1(kBlank);
    const std::array<std::pair<const char*, const char*>, 2> resultElements = {
        {{"QRQDir", "QRResQDir"}, {"QRQReDir", "QRResQReDir"}}};
    for (std::size_t i = 0; i < resultElements.size(); ++i) {
        const bool shown = i < info.reportResults.size();
        page[QString::fromLatin1(resultElements[i].first)].text = shown ? Q(info.reportResults[i].name) : blank;
        page[QString::fromLatin1(resultElements[i].second)].text =
            shown ? SlotValue(screen, info.reportResults[i].slot) : blank;
    }
}

}  // namespace kaldora
