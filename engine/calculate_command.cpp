#include "engine/calculate_command.h"

#include <cfenv>
#include <cmath>

#include "engine/calculations.h"
#include "model/calc_data.h"
#include "model/value_exchange.h"

namespace kaldora {

namespace {

void RunCalculation(int type) {
    switch (static_cast<CalcType>(type)) {
        case CalcType::HeatLossNorm:
            CalcHeatLossNorm();
            WriteSlots();
            break;
        case CalcType::Condensation: CalcCondensation(); break;
        case CalcType::SurfaceTemperature: CalcSurfaceTemperature(); break;
        case CalcType::FreezeProtection: CalcFreezeProtection(); break;
        case CalcType::ChannelTwoPipe: CalcChannelTwoPipe(); break;
        case CalcType::None: break;
    }
}

// A value in the row that is not a finite number (a working slot the screen
// never shows) is a fault just as one on the result line would be.
void RequireFiniteRow() {
    for (const double value : ParamTable[CurrentType]) RequireFinite(value);
}

}  // namespace

void CalculateCommand() {
    if (CurrentType < 1 || CurrentType >= kTypeCount) return;
    ReadSlots();
    CalculatedFlag[CurrentType] = 1;

    // Traps stay off: a fault shows up as a value that is not finite, and the
    // flags tell which fault it was.
    std::feclearexcept(FE_ALL_EXCEPT);
    try {
        RunCalculation(CurrentType);
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
