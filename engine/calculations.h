// The five calculation types. Each works on the row of CurrentType: it reads
// its input slots and flags, writes its results (slot 5, the thickness in m,
// always) and ends with the result line or information boxes.
#pragma once

#include <string_view>

#include "engine/method_constants.h"

namespace kaldora {

void CalcHeatLossNorm();        // type 1
void CalcCondensation();        // type 2
void CalcSurfaceTemperature();  // type 3
void CalcFreezeProtection();    // type 4
void CalcChannelTwoPipe();      // type 5

// The iterative cores of types 1 and 5, on plain values. Both take the
// solver's start from the diameter slot of the current row, as the calculations do.
struct NormIteration {
    double outerDiameter;  // m
    double surfaceTemp;    // the averaged estimate after the last pass, °C
    int passes;
    double lambda;  // of the last pass
};
NormIteration IterateHeatLossNorm(double diameter, double airTemp, double carrierTemp, double normFlux, double alpha);

struct ChannelInputs {
    double soilTemp, soilConductivity, depth, height, width, pipeDiameter, supplyTemp, returnTemp;
};
struct ChannelIteration {
    double channelAirTemp;  // °C
    double ratio;           // k: loss of both pipes over that of the supply pipe
    double outerDiameter;   // m, both pipes
    double returnLoss;      // q2, W/m
    int passes;
    double supplySurface, returnSurface;            // t_s1, t_s2 of the last pass, °C
    double supplyLambda = 0.0, returnLambda = 0.0;  // λ₁, λ₂ of the last pass, W/(m·°C)
};
inline constexpr double kChannelAlpha = method::AlphaChannel.value;
double ChannelSurfaceResistance(const ChannelInputs& in);
double SoilResistance(const ChannelInputs& in);
ChannelIteration IterateChannel(const ChannelInputs& in, double supplyLoss);

// Types 2 to 4 refuse a pipe diameter of zero or below with this message.
inline constexpr char kNoDiameterMessage[] = "Диаметр трубопровода\n должен быть больше нуля";

// Refusals shared by several types: the result line or the box first, as
// each type has it, and a thickness of 0 in slot 5 either way.
void RefuseResultFirst(std::string_view message);
void RefuseMessageFirst(std::string_view message);
// The refusal that answers: no insulation is needed (thickness 0), in the
// order of RefuseResultFirst.
void AnswerNoInsulation(std::string_view message);

// The heat balance of an insulated pipe of outer diameter D with an
// insulation of outer diameter x: the linear heat flux
// q = (t_m − t_a) / (R_layer + R_surface), R_layer = ln(x/D) / (2πλ),
// R_surface = 1 / (παx), and the surface temperature t_s = t_a + q·R_surface.
struct LayerBalance {
    double heatFlux;                     // W/m, negative when the pipe gains heat
    double surfaceTemp;                  // °C
    double mediumTemp, airTemp;          // °C, as balanced
    double pipeDiameter, outerDiameter;  // m
    double lambda, alpha;
    double layerResistance, surfaceResistance;  // m·°C/W
};
LayerBalance BalanceOf(double mediumTemp, double airTemp, double pipeDiameter, double outerDiameter, double lambda,
                       double alpha);

// Keeps a type's surface temperature and heat flux as its whole result (when
// finite) and records them in the trace with the arithmetic that gave them.
void KeepWholeResult(const LayerBalance& balance);

// Closes the passes of an outer loop; `settled` false when they stopped at
// their limit without meeting their tolerance, which the result then says.
void EndPasses(bool settled);
void TraceThickness(double outerDiameter);

// The end of a calculation that found the outer diameter x of a layer of
// conductivity λ: slot 5 := (x − D) / 2, the whole result from the balance,
// the trace and the result line.
void FinishWithDiameter(double outerDiameter, double pipeDiameter, double mediumTemp, double airTemp, double lambda,
                        double alpha);

}  // namespace kaldora
