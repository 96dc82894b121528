// What a calculation takes and gives, as plain values: the case (its type,
// options, norm choice and the numbers by slot) and its outcome (the row as
// the calculation left it, what it found and the messages it gave).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
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

// A type's numbers by slot, in the calculation's units (diameters and the
// thickness in metres).
using SlotValues = std::array<double, kSlotCount>;

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

// One case: everything a calculation reads. The flags of options a type lacks
// and the slots it neither shows nor uses are not read.
struct CalcInput {
    int type = 0;
    bool indoors = false, metalCover = false, longHours = false;
    NormChoice norm{};
    SlotValues values{};
};

// A type's case as the window starts it: its options as they start and the
// numbers its fields' initial texts stand for.
CalcInput InitialInput(int type);

// The number a field's text stands for, as the calculation holds it: the
// first comma read as the decimal point, a leading number read and the rest
// ignored, diameters from mm to m.
double ReadTyped(int slot, std::string_view text);

// What a calculation says, in order: an information box, an error box, or
// the result line for a thickness (formatted where it is shown).
struct CalcMessage {
    enum class Kind { Info, Error, ResultLine };
    Kind kind;
    std::string text;        // of a box
    double thickness = 0.0;  // of a result line, m

    bool operator==(const CalcMessage&) const = default;
};

struct CalcOutcome {
    SlotValues values{};  // the input's, with what the calculation wrote
    WholeResult whole{};
    std::vector<CalcMessage> messages{};

    double Thickness() const { return values[kSlotThickness]; }
    // Refused for an arithmetic fault: its error box is the last message.
    bool Faulted() const { return !messages.empty() && messages.back().kind == CalcMessage::Kind::Error; }
};

}  // namespace kaldora
