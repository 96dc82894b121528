// Program-wide calculation data: the parameter table, the current type,
// the per-type option flags, the per-slot number formats and the shared
// text buffers. One instance for the whole run.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/norm_choice.h"
#include "model/slots.h"

namespace kaldora {

enum class CalcType : int {
    None = 0,
    HeatLossNorm = 1,
    Condensation = 2,
    SurfaceTemperature = 3,
    FreezeProtection = 4,
    ChannelTwoPipe = 5,
};

inline constexpr int kTypeCount = 6;   // rows 0..5, row 0 never used
inline constexpr int kSlotCount = 35;  // slots 0..34
inline constexpr int kFirstSlot = 1;
inline constexpr int kLastSlot = 32;  // slots with a meaning

using TypeFlags = std::array<int, kTypeCount>;

extern double ParamTable[kTypeCount][kSlotCount];

// What a calculation found beyond its slots, from the heat balance it
// solved: the temperature of the insulation surface, the linear heat flux
// through the insulation (positive: lost by the pipe; negative: gained by a
// cold one) and, for the channel, the air temperature in it. Unset for a type
// not calculated or refused.
// Whether the iterations behind it met their tolerances within their limits:
// the solver of ln x = a − b/x, and the passes of an outer loop.
// Where one did not, the result was found as the root of the same equation
// by bisection (`bracketed`): exact to its tolerance, not approximate.
struct Convergence {
    bool solver = true;
    bool passes = true;
    bool solverBracketed = false;
    bool passesBracketed = false;

    bool Settled() const { return solver && passes; }
    bool Bracketed() const { return solverBracketed || passesBracketed; }
    // Stopped at a limit with nothing to find the exact result by.
    bool Approximate() const { return (!solver && !solverBracketed) || (!passes && !passesBracketed); }
};
// What a calculation answered: a thickness, that no insulation is needed
// (thickness 0), or nothing, refusing its inputs.
enum class Answer { Thickness, NoInsulation, Refused };
struct WholeResult {
    std::optional<double> surfaceTemp{}, heatFlux{}, channelAirTemp{};
    Convergence convergence{};
    Answer answer = Answer::Thickness;
    // Cells of the current norm that the normed flux was read from and whose
    // published copies disagree, named for a caution.
    std::vector<std::string> doubtfulCells{};
};
extern std::array<WholeResult, kTypeCount> WholeResults;
extern int CurrentType;
extern TypeFlags IndoorsFlag;
extern TypeFlags MetalCoverFlag;
extern TypeFlags LongHoursFlag;
extern TypeFlags CalculatedFlag;
// The norm each type's screen has chosen; only a type with the choice reads it.
extern std::array<NormChoice, kTypeCount> NormChoices;
extern std::array<std::string, kSlotCount> SlotFormats;  // "%4.2f", empty until built
// The two shared text buffers grow with their text: a field's text is read
// whole however long it is, and a message or a value written back is never
// cut short.
extern std::string EditTextBuffer;
extern std::string MessageBuffer;

// Puts all of the above into its start state.
void ResetCalcData();

// Slot k of the row of CurrentType.
double& CurrentSlot(int slot);

}  // namespace kaldora
