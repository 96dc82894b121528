// The three numeric steps every calculation type reduces to.
#pragma once

#include <cmath>
#include <optional>
#include <string>

namespace kaldora {

struct CalcTrace;
struct Convergence;

inline constexpr double kPi = 3.14159265359;
inline constexpr double kTwoPi = 6.28318530718;

// A value read from a table, or why there is none: outside the table's rows
// or columns the value is 0 and `outOfRange` the range message.
struct TableValue {
    double value = 0.0;
    std::string outOfRange;
};

// Bilinear lookup in a table whose row 0 holds the column keys and column 0
// the row keys; the point, its keys and cells go into the trace given.
TableValue InterpolateTable(const double* table, double rowArg, double colArg, int rows, int cols,
                            CalcTrace* trace = nullptr);

// Thrown where a calculation meets a value that is not a finite number or an
// equation without a solution; the calculation refuses with its message.
struct ArithmeticFault {
    std::string message;
};

// Throws ArithmeticFault, with the fault the floating-point unit flagged (or
// where it flags none, the fault `value` shows).
[[noreturn]] void ThrowArithmeticFault(double value);
// The check stands in every loop over a row: inline, a throw only on a fault.
inline void RequireFinite(double value) {
    if (!std::isfinite(value)) ThrowArithmeticFault(value);
}

// Where the method starts its iteration: three times the pipe's diameter.
inline double SolverStart(double pipeDiameter) { return 3.0 * pipeDiameter; }

// Outer insulation diameter x (m) with ln x = a - b / x, iterated from
// `start`. Where the iteration stops at its limit unsettled, x is the root it
// approaches, found by bisection, and `convergence` (if given) says so; where
// the equation has no such root, throws ArithmeticFault. The run goes into
// the trace given.
double SolveInsulationDiameter(double a, double b, double start, CalcTrace* trace = nullptr,
                               Convergence* convergence = nullptr);

// ln x − a + b/x: 0 at a root of the equation above.
double SolverResidual(double a, double b, double x);

// The root above b, where the iteration can settle; none when there is no
// root there.
std::optional<double> LargerRootOf(double a, double b);

// Conductivity of the mineral wool, W/(m·°C), at the mean layer temperature t.
double InsulationConductivity(double t);

}  // namespace kaldora
