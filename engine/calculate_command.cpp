#include "engine/calculate_command.h"

#include <cfenv>
#include <cmath>

#include "engine/calculations.h"
#include "model/calc_data.h"
#include "model/calc_types.h"
#include "model/value_exchange.h"

namespace kaldora {

namespace {

using CalcRoutine = void (*)();

CalcRoutine Routine(CalcType type) {
    switch (type) {
        case CalcType::HeatLossNorm: return CalcHeatLossNorm;
        case CalcType::Condensation: return CalcCondensation;
        case CalcType::SurfaceTemperature: return CalcSurfaceTemperature;
        case CalcType::FreezeProtection: return CalcFreezeProtection;
        case CalcType::ChannelTwoPipe: return CalcChannelTwoPipe;
        case CalcType::None: break;
    }
    return nullptr;
}

void RunCalculation(const CalcTypeInfo& info) {
    Routine(info.type)();
    if (info.writesFieldsBack) WriteSlots();
}

// A value in the row that is not a finite number (a working slot the screen
// never shows) is a fault just as one on the result line would be.
void RequireFiniteRow() {
    for (const double value : ParamTable[CurrentType]) RequireFinite(value);
}

}  // namespace

void CalculateCommand() {
    if (!IsCalcType(CurrentType)) return;
    ReadSlots();
    CalculatedFlag[CurrentType] = 1;

    // Traps stay off: a fault shows up as a value that is not finite, and the
    // flags tell which fault it was.
    std::feclearexcept(FE_ALL_EXCEPT);
    try {
        RunCalculation(TypeInfo(CurrentType));
        RequireFiniteRow();
    } catch (const ArithmeticFault& fault) {
        // What the calculation wrote stays, except values that are not
        // numbers: nothing downstream (fields, report) may see them.
        for (double& value : ParamTable[CurrentType])
            if (!std::isfinite(value)) value = 0.0;
        CurrentSlot(kSlotThickness) = 0.0;
        ShowResult(0.0);
        if (CalcView* view = AttachedView()) view->ShowError(fault.message);
    }
}

}  // namespace kaldora
