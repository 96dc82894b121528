// The five calculation types. Each works on one case under way: it reads
// its input slots and options, writes its results (slot 5, the thickness in
// m, always) and ends with the result line or information boxes.
#pragma once

#include <string_view>

#include "engine/kernels.h"
#include "engine/method_constants.h"
#include "model/calc_data.h"

namespace kaldora {

struct CalcTrace;

// One calculation under way: its case, the row it reads and writes, what it
// has found, the messages it has given and the trace it records into.
struct Calc {
    Calc(const CalcInput& in, CalcTrace* trace) : in(in), trace(trace) { outcome.values = in.values; }

    double& Slot(int slot) { return outcome.values[static_cast<std::size_t>(slot)]; }
    WholeResult& Whole() { return outcome.whole; }
    // An information box, recorded in the trace too.
    void Info(std::string_view message);
    // The result line for a thickness in metres; a thickness that is not a
    // finite number is an arithmetic fault instead.
    void ShowResult(double thicknessMetres);

    const CalcInput& in;
    CalcTrace* const trace;
    CalcOutcome outcome;
};

void CalcHeatLossNorm(Calc& c);        // type 1
void CalcCondensation(Calc& c);        // type 2
void CalcSurfaceTemperature(Calc& c);  // type 3
void CalcFreezeProtection(Calc& c);    // type 4
void CalcChannelTwoPipe(Calc& c);      // type 5

// The iterative cores of types 1 and 5, on plain values, recording into the
// trace given (if any); the solver starts from three times the pipe's diameter.
struct NormIteration {
    double outerDiameter;  // m
    double surfaceTemp;    // the averaged estimate after the last pass, °C
    int passes;
    double lambda;  // of the last pass
    Convergence convergence{};
};
NormIteration IterateHeatLossNorm(double diameter, double airTemp, double carrierTemp, double normFlux, double alpha,
                                  CalcTrace* trace = nullptr);

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
    Convergence convergence{};
};
inline constexpr double kChannelAlpha = method::AlphaChannel.value;
double ChannelSurfaceResistance(const ChannelInputs& in);
double SoilResistance(const ChannelInputs& in);
ChannelIteration IterateChannel(const ChannelInputs& in, double supplyLoss, CalcTrace* trace = nullptr);

// Types 2 to 4 refuse a pipe diameter of zero or below with this message.
inline constexpr char kNoDiameterMessage[] = "Диаметр трубопровода\n должен быть больше нуля";

// Refusals shared by several types: the result line or the box first, as
// each type has it, and a thickness of 0 in slot 5 either way.
void RefuseResultFirst(Calc& c, std::string_view message);
void RefuseMessageFirst(Calc& c, std::string_view message);
// The refusal that answers: no insulation is needed (thickness 0), in the
// order of RefuseResultFirst.
void AnswerNoInsulation(Calc& c, std::string_view message);

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
void KeepWholeResult(Calc& c, const LayerBalance& balance);

// Closes the passes of an outer loop; `settled` false when they stopped at
// their limit without meeting their tolerance, which the result then says.
void EndPasses(CalcTrace* trace, Convergence& convergence, bool settled);
void TraceThickness(Calc& c, double outerDiameter);

// The end of a calculation that found the outer diameter x of a layer of
// conductivity λ: slot 5 := (x − D) / 2, the whole result from the balance,
// the trace and the result line.
void FinishWithDiameter(Calc& c, double outerDiameter, double pipeDiameter, double mediumTemp, double airTemp,
                        double lambda, double alpha);

}  // namespace kaldora
