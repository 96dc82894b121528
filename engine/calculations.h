// The five calculation types. Each works on the row of CurrentType: it reads
// its input slots and flags, writes its results (slot 5, the thickness in m,
// always) and ends with the result line or information boxes.
#pragma once

#include <string_view>

namespace kaldora {

void CalcHeatLossNorm();        // type 1
void CalcCondensation();        // type 2
void CalcSurfaceTemperature();  // type 3
void CalcFreezeProtection();    // type 4
void CalcChannelTwoPipe();      // type 5

// The iterative cores of types 1 and 5, on plain values. Both take the
// solver's start from slot 3 of the current row, as the calculations do.
struct NormIteration {
    double outerDiameter;  // m
    double surfaceTemp;    // the averaged estimate after the last pass, °C
    int passes;
};
NormIteration IterateHeatLossNorm(double diameter, double airTemp, double carrierTemp,
                                  double normFlux, double alpha);

struct ChannelInputs {
    double soilTemp, soilConductivity, depth, height, width, pipeDiameter, supplyTemp, returnTemp;
};
struct ChannelIteration {
    double channelAirTemp;  // °C
    double ratio;           // k: loss of both pipes over that of the supply pipe
    double outerDiameter;   // m, both pipes
    double returnLoss;      // q2, W/m
    int passes;
};
inline constexpr double kChannelAlpha = 11.0;
double ChannelSurfaceResistance(const ChannelInputs& in);
double SoilResistance(const ChannelInputs& in);
ChannelIteration IterateChannel(const ChannelInputs& in, double supplyLoss);

// Types 2 to 4 refuse a pipe diameter of zero or below with this message.
inline constexpr char kNoDiameterMessage[] = "Диаметр трубопровода\n должен быть больше нуля";

// Refusals shared by several types: the result line or the box first, as
// each type has it, and a thickness of 0 in slot 5 either way.
void RefuseResultFirst(std::string_view message);
void RefuseMessageFirst(std::string_view message);

}  // namespace kaldora
