#include "engine/calculate_command.h"

#include <cfenv>
#include <cmath>

#include "engine/calculations.h"
#include "model/calc_data.h"
#include "model/calc_trace.h"
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

// The options the type has, as the trace names them.
void TraceOptions(const CalcTypeInfo& info) {
    if (!ActiveTrace()) return;
    const int t = info.Number();
    if (info.locationPlate) TraceOption("Расположение", IndoorsFlag[t] ? "в помещении" : "на открытом воздухе");
    if (info.coverPlate) TraceOption("Покрытие", MetalCoverFlag[t] ? "металл" : "неметалл");
    if (info.hoursPlate)
        TraceOption("Число часов работы", LongHoursFlag[t] ? "свыше 5000 в год" : "не более 5000 в год");
    // Under the historical tables the trace stays as it always was.
    if (const NormChoice& norm = NormChoices[static_cast<std::size_t>(t)];
        info.HasNormOption() && norm.set == NormSet::Sp61) {
        TraceOption("Нормы", TextOf(norm.set).title);
        TraceOption("Опоры", TextOf(norm.supports).title);
        TraceOption("Район", TextOf(norm.region).title);
    }
}

}  // namespace

void CalculateCommand() {
    if (!IsCalcType(CurrentType)) return;
    const CalcTypeInfo& info = TypeInfo(CurrentType);
    if (CalcTrace* trace = ActiveTrace()) {
        trace->Clear();
        trace->type = CurrentType;
    }
    WholeResults[static_cast<std::size_t>(CurrentType)] = {};
    ReadSlots();
    TraceOptions(info);
    CalculatedFlag[CurrentType] = 1;

    // Traps stay off: a fault shows up as a value that is not finite, and the
    // flags tell which fault it was.
    std::feclearexcept(FE_ALL_EXCEPT);
    try {
        RunCalculation(info);
        RequireFiniteRow();
    } catch (const ArithmeticFault& fault) {
        // What the calculation wrote stays, except values that are not
        // numbers: nothing downstream (fields, report) may see them.
        for (double& value : ParamTable[CurrentType])
            if (!std::isfinite(value)) value = 0.0;
        CurrentSlot(kSlotThickness) = 0.0;
        WholeResults[static_cast<std::size_t>(CurrentType)] = {.answer = Answer::Refused};
        TraceRefusal();
        TraceMessage(fault.message);
        ShowResult(0.0);
        if (CalcView* view = AttachedView()) view->ShowError(fault.message);
    }
}

}  // namespace kaldora
