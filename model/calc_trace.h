// What one calculation did, step by step, so that an inspector can follow
// and recompute it: the inputs as typed and as read, the options, each check,
// each table lookup with the cells around the point, the coefficients, the
// solver's runs, every pass of an outer loop, the messages and the results.
// The engine fills the trace it is given where it computes; without one the
// recording calls do nothing and the numbers are the same.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kaldora {

// A named quantity: symbol as printed, what it is, value, unit.
struct TraceValue {
    std::string symbol;
    std::string meaning;
    double value;
    std::string unit;
};

struct TraceInput {
    int slot;
    std::string typed;  // as in the field
    double value;       // as read, in the engine's units (diameters in m)
};

struct TraceLookup {
    std::string table;
    std::string source;  // where the table's figures come from
    double rowArg, colArg;
    bool inRange;
    // The bracketing keys and the four cells around the point (equal keys
    // where the point lies on the table's first row or column).
    std::array<double, 2> rowKeys{}, colKeys{};
    std::array<std::array<double, 2>, 2> cells{};
    double value;
};

struct TraceSolve {
    double a, b;
    double start;  // 3 D
    double x;
    int iterations;
    bool settled;     // met its tolerance; false: stopped at its iteration limit
    bool bracketed;   // not settled: x is the root found by bisection
    double residual;  // ln x − a + b/x at the x returned
};

struct TracePass {
    int number;
    std::vector<TraceValue> values;
};

struct TraceCheck {
    std::string condition;
    bool met;
};

// The normed flux of the current norm and where each of its parts comes
// from; the lookup itself stands among the lookups.
struct TraceNorm {
    std::string document;                // "СП 61.13330.2012"
    int table;                           // the norm's table of q_table
    std::array<double, 2> nominalBores;  // Dn of the lookup's two rows, mm
    double qTable;
    std::string supports;
    double k;  // table В.1
    std::string region;
    double k1;                        // table 13
    double q;                         // K1·q_table / K
    double alpha;                     // table В.2
    std::vector<std::string> marked;  // notes of the marked cells used
};

struct CalcTrace {
    int type = 0;
    std::vector<TraceInput> inputs;
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<TraceCheck> checks;
    std::vector<TraceLookup> lookups;
    std::vector<TraceValue> values;  // outside the passes, in order
    std::vector<TracePass> passes;
    std::vector<TraceSolve> solves;
    std::vector<std::string> messages;  // boxes, in order
    std::vector<TraceValue> results;
    std::optional<TraceNorm> norm;  // only under the current norm
    bool passesSettled = true;      // false: an outer loop stopped at its pass limit
    bool passesBracketed = false;   // then its result was found by bisection of a balance
    bool refused = false;           // no thickness was found
    bool passOpen = false;          // while recording: quantities go into the last pass

    void Clear() { *this = CalcTrace{}; }
};

namespace trace_detail {
void RecordCheck(CalcTrace& trace, bool met, std::string_view condition);
void RecordQuantity(CalcTrace& trace, std::string_view symbol, std::string_view meaning, double value,
                    std::string_view unit);
}  // namespace trace_detail

// Recording calls, each into the trace given; with none (nullptr) they do
// nothing. The two that stand in the calculations' loops are inline, so that
// a run without a trace pays a test and nothing more.
// Records a check the calculation makes and returns its outcome unchanged.
inline bool Checked(CalcTrace* trace, bool met, std::string_view condition) {
    if (trace) trace_detail::RecordCheck(*trace, met, condition);
    return met;
}
// A number as the trace's texts and the protocol print it: `significant`
// digits at most, a decimal comma, a true minus sign, "—" when not finite.
std::string TraceNumber(double value, int significant = 6);
// An operand of printed arithmetic: a digit more than a result, so that a
// result recomputed from its printed operands gives its printed digits, and
// in brackets when negative (`leading` false: it follows a sign, 20 − (−5)).
std::string TraceOperand(double value, bool leading = false);
// A limit check recorded with both of its numbers ("2x + Δw = 0,611 м >
// w = 0,555 м" when not met, "≤" when met); returns `met` unchanged.
bool CheckedAgainst(CalcTrace* trace, bool met, std::string_view left, double leftValue, std::string_view right,
                    double rightValue, std::string_view unit);
// Into the open pass, if any, else among the values.
inline void TraceQuantity(CalcTrace* trace, std::string_view symbol, std::string_view meaning, double value,
                          std::string_view unit) {
    if (trace) trace_detail::RecordQuantity(*trace, symbol, meaning, value, unit);
}
void TraceInputRead(CalcTrace* trace, int slot, std::string_view typed, double value);
void TraceOption(CalcTrace* trace, std::string_view name, std::string_view value);
void TraceBeginPass(CalcTrace* trace, int number);
// Closes the passes; `settled` false when they stopped at their limit.
void TraceEndPasses(CalcTrace* trace, bool settled);
void TraceResult(CalcTrace* trace, std::string_view symbol, std::string_view meaning, double value,
                 std::string_view unit);
void TraceMessage(CalcTrace* trace, std::string_view text);
void TraceRefusal(CalcTrace* trace);

}  // namespace kaldora
