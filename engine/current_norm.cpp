#include "engine/current_norm.h"

#include "engine/method_constants.h"
#include "model/calc_trace.h"
#include "model/number_text.h"

namespace kaldora {

namespace {

// Where a point between two keys takes weight: the lower key, the upper key.
std::array<bool, 2> Weighted(const std::array<double, 2>& keys, double at) {
    if (keys[0] == keys[1]) return {false, true};
    return {at<keys[1], at> keys[0]};
}

}  // namespace

const NormTable& Sp61Table(bool indoors, bool longHours) {
    if (indoors) return longHours ? Sp61IndoorOver5000 : Sp61IndoorUpTo5000;
    return longHours ? Sp61OutdoorOver5000 : Sp61OutdoorUpTo5000;
}

double SupportsCoefficient(Supports supports, double outerDiameter) {
    switch (supports) {
        case Supports::Movable:
            return outerDiameter < method::kDn150OuterDiameter ? method::KMovableSmall.value
                                                               : method::KMovableLarge.value;
        case Supports::Suspended: return method::KSuspended.value;
        case Supports::NonMetal: return method::KNonMetal.value;
        case Supports::None: return method::KNone.value;
    }
    return method::KNone.value;
}

double RegionCoefficient(Region region) {
    switch (region) {
        case Region::Europe: return method::K1Europe.value;
        case Region::Urals:
        case Region::WestSiberia:
        case Region::EastSiberia: return method::K1Siberia.value;
        case Region::FarEast:
        case Region::FarNorth: return method::K1FarEast.value;
    }
    return method::K1Europe.value;
}

double Sp61SurfaceCoefficient(bool indoors, bool metalCover) {
    if (!indoors) return method::Sp61AlphaOutdoors.value;
    return metalCover ? method::Sp61AlphaMetal.value : method::Sp61AlphaNonMetal.value;
}

double NominalBoreOf(double outerDiameter) {
    const LookupTable& rows = Sp61OutdoorOver5000.lookup;
    for (int r = 1; r < rows.rows; ++r)
        if (rows.cells[r * rows.cols] == outerDiameter) return kNominalBoresMm[static_cast<std::size_t>(r - 1)];
    return 0.0;
}

std::string MarkedCellName(const MarkedCell& cell) {
    return "таблица " + std::to_string(cell.table) + ", Dn " + FormatFixed(NominalBoreOf(cell.outerDiameter), 1, 0) +
           ", " + FormatFixed(cell.carrierTemp, 1, 0) + " °C";
}

std::string DoubtfulCellsCaution(const std::vector<std::string>& cellNames) {
    if (cellNames.empty()) return {};
    std::string names;
    for (const std::string& name : cellNames) names += (names.empty() ? "" : "; ") + name;
    return "Ячейка нормы расходится в источниках (" + names + "): сверьте ее с текстом нормы";
}

std::vector<const MarkedCell*> MarkedCellsUsed(const NormTable& table, const TraceLookup& lookup) {
    std::vector<const MarkedCell*> used;
    if (!lookup.inRange) return used;
    const auto rows = Weighted(lookup.rowKeys, lookup.rowArg);
    const auto cols = Weighted(lookup.colKeys, lookup.colArg);
    for (const MarkedCell& cell : kMarkedCells) {
        if (cell.table != table.number) continue;
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c)
                if (rows[r] && cols[c] && lookup.rowKeys[r] == cell.outerDiameter &&
                    lookup.colKeys[c] == cell.carrierTemp && (used.empty() || used.back() != &cell))
                    used.push_back(&cell);
    }
    return used;
}

}  // namespace kaldora
