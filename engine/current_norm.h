// The current norm for type 1, СП 61.13330.2012 "Тепловая изоляция
// оборудования и трубопроводов": its normed heat-flux densities (tables
// 2–5), the coefficient K of additional losses through supports (table В.1),
// the regional coefficient K1 (table 13) and the heat-transfer coefficients
// at the insulation surface (table В.2). The normed flux the insulation must
// hold is q = K1·q_table / K.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/reference_tables.h"
#include "model/norm_choice.h"

namespace kaldora {

struct CalcTrace;
struct TraceLookup;

struct NormTable {
    LookupTable lookup;
    int number;  // the norm's table number
};

extern const NormTable Sp61OutdoorOver5000;
extern const NormTable Sp61OutdoorUpTo5000;
extern const NormTable Sp61IndoorOver5000;
extern const NormTable Sp61IndoorUpTo5000;

// The nominal bores of the tables' rows, in row order (mm).
extern const std::array<double, 23> kNominalBoresMm;

struct MarkedCell {
    int table;
    double outerDiameter;  // m
    double carrierTemp;    // °C
    std::string_view note;
};
extern const std::array<MarkedCell, 7> kMarkedCells;

const NormTable& Sp61Table(bool indoors, bool longHours);

// K by the supports; movable supports of a steel pipe below Dn 150 (outer
// diameter under 159 mm) lose more.
double SupportsCoefficient(Supports supports, double outerDiameter);

// K1 by the region, for pipes outdoors and indoors alike: the norm's
// columns for the two are equal in every region (its channel columns are
// not, and this program does not use them).
double RegionCoefficient(Region region);

// α at the insulation surface of a horizontal pipe, W/(m²·°C): indoors by
// the cover's emissivity (metal is low), outdoors one value.
double Sp61SurfaceCoefficient(bool indoors, bool metalCover);

// The nominal bore of a table row, by its outer diameter (m); 0 for none.
double NominalBoreOf(double outerDiameter);

// A marked cell as an engineer finds it in the norm: its table, row and
// column ("таблица 2, Dn 300, 50 °C").
std::string MarkedCellName(const MarkedCell& cell);

// The caution for the marked cells a calculation used, in one line; empty
// for none.
std::string DoubtfulCellsCaution(const std::vector<std::string>& cellNames);

// The marked cells that the lookup gave weight to.
std::vector<const MarkedCell*> MarkedCellsUsed(const NormTable& table, const TraceLookup& lookup);

}  // namespace kaldora
