#include "engine/kernels.h"

#include "engine/method_constants.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>

#include "model/calc_data.h"
#include "model/calc_trace.h"
#include "model/number_text.h"

namespace kaldora {

namespace {

constexpr double kBracketTolerance = 1e-7;

// Negated comparisons so that a NaN argument fails the check.
bool InRange(double value, double low, double high) { return value >= low && value <= high; }

// The lookup as a protocol shows it: the point, the keys around it and the
// four cells (row k and column j bracket it from above, as the interpolation
// takes them); out of range (k = 0), the point alone.
double TraceLookupAt(CalcTrace* trace, const double* table, int cols, double rowArg, double colArg, int k, int j,
                     double value) {
    if (!trace) return value;
    const auto cell = [table, cols](int r, int c) { return table[r * cols + c]; };
    TraceLookup lookup{{}, {}, rowArg, colArg, k > 0, {}, {}, {}, value};
    if (k > 0) {
        const int k0 = k == 1 ? 1 : k - 1;
        const int j0 = j == 1 ? 1 : j - 1;
        lookup.rowKeys = {cell(k0, 0), cell(k, 0)};
        lookup.colKeys = {cell(0, j0), cell(0, j)};
        lookup.cells = {{{cell(k0, j0), cell(k0, j)}, {cell(k, j0), cell(k, j)}}};
    }
    trace->lookups.push_back(lookup);
    return value;
}

// The fault the floating-point unit flagged; division by zero and overflow
// come before the invalid operation that usually follows them. Where there
// are no flags (WebAssembly), the value tells: an infinity overflowed, a
// value that is not a number came from an invalid operation.
std::string FaultMessage([[maybe_unused]] double value) {
#if defined(FE_DIVBYZERO) && defined(FE_OVERFLOW)
    if (std::fetestexcept(FE_DIVBYZERO)) return "Floating point division by zero";
    if (std::fetestexcept(FE_OVERFLOW)) return "Floating point overflow";
#else
    if (std::isinf(value)) return "Floating point overflow";
#endif
    return "Invalid floating point operation";
}

}  // namespace

void ThrowArithmeticFault(double value) { throw ArithmeticFault{FaultMessage(value)}; }

TableValue InterpolateTable(const double* table, double rowArg, double colArg, int rows, int cols, CalcTrace* trace) {
    const auto cell = [table, cols](int r, int c) { return table[r * cols + c]; };

    const double firstCol = cell(0, 1);
    const double lastCol = cell(0, cols - 1);
    if (!InRange(colArg, firstCol, lastCol)) {
        return {TraceLookupAt(trace, table, cols, rowArg, colArg, 0, 0, 0.0),
                "Температура теплоносителя\nдолжна быть от " + FormatFixed(firstCol, 1, 0) + "C до " +
                    FormatFixed(lastCol, 1, 0) + "C"};
    }
    const double firstRow = cell(1, 0);
    const double lastRow = cell(rows - 1, 0);
    if (!InRange(rowArg, firstRow, lastRow)) {
        return {
            TraceLookupAt(trace, table, cols, rowArg, colArg, 0, 0, 0.0),
            "Диаметр трубы должен быть от " + FormatFixed(firstRow, 5, 3) + "м до " + FormatFixed(lastRow, 5, 3) + "м"};
    }

    int k = 1;
    while (k < rows - 1 && !(cell(k, 0) - rowArg > -kBracketTolerance)) ++k;
    int j = 1;
    while (j < cols - 1 && !(cell(0, j) - colArg > -kBracketTolerance)) ++j;

    const auto alongRows = [&](int c) -> double {
        if (k == 1) return cell(1, c);
        return cell(k - 1, c) +
               (rowArg - cell(k - 1, 0)) * (cell(k, c) - cell(k - 1, c)) / (cell(k, 0) - cell(k - 1, 0));
    };
    if (j == 1) return {TraceLookupAt(trace, table, cols, rowArg, colArg, k, j, alongRows(1)), {}};
    const double left = alongRows(j - 1);
    const double right = alongRows(j);
    return {TraceLookupAt(trace, table, cols, rowArg, colArg, k, j,
                          left + (colArg - cell(0, j - 1)) * (right - left) / (cell(0, j) - cell(0, j - 1))),
            {}};
}

double SolveInsulationDiameter(double a, double b, double start, CalcTrace* trace, Convergence* convergence) {
    constexpr double kStop = method::SolverStop.value;
    constexpr int kMaxIterations = static_cast<int>(method::SolverIterations.value);
    double x = start;
    double y = 0.0;
    int n = 0;
    for (; std::fabs(x - y) > kStop && n < kMaxIterations; ++n) {
        y = std::exp(a - b / x);
        x = (x + y) / 2.0;
    }
    const bool settled = !(std::fabs(x - y) > kStop);
    if (!settled) {
        // The iteration's limit: the root it was approaching, exactly.
        const std::optional<double> root = LargerRootOf(a, b);
        if (!root) throw ArithmeticFault{"уравнение ln x = a − b/x не имеет решения"};
        x = *root;
        if (convergence) {
            convergence->solver = false;
            convergence->solverBracketed = true;
        }
    }
    if (trace) trace->solves.push_back({a, b, start, x, n, settled, !settled, SolverResidual(a, b, x)});
    return x;
}

double SolverResidual(double a, double b, double x) { return std::log(x) - a + b / x; }

// f(x) = ln x − a + b/x falls to its least value at x = b and rises after
// it: the averaged iteration can only approach the root above b, which is
// there when f(b) ≤ 0. Bisection to the last bit of a double.
std::optional<double> LargerRootOf(double a, double b) {
    double low = b > 0.0 ? b : std::numeric_limits<double>::min();
    if (!(SolverResidual(a, b, low) <= 0.0)) return std::nullopt;
    double high = std::max(2.0 * low, 1.0);
    while (SolverResidual(a, b, high) <= 0.0) {
        high *= 2.0;
        if (!std::isfinite(high)) return std::nullopt;
    }
    for (;;) {
        const double middle = low + (high - low) / 2.0;
        if (!(middle > low && middle < high)) break;
        (SolverResidual(a, b, middle) <= 0.0 ? low : high) = middle;
    }
    return std::fabs(SolverResidual(a, b, low)) <= std::fabs(SolverResidual(a, b, high)) ? low : high;
}

double InsulationConductivity(double t) {
    using namespace method;
    if (t <= LambdaLowUpTo.value) return LambdaLow.value;
    if (t <= LambdaMidUpTo.value) return LambdaMidBase.value + LambdaMidSlope.value * t;
    return LambdaHighBase.value + LambdaHighSlope.value * t;
}

}  // namespace kaldora
