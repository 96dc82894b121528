#include "engine/calculation.h"

#include <cfenv>
#include <cmath>

#include "engine/calculations.h"
#include "model/calc_trace.h"
#include "model/calc_types.h"
#include "model/slots.h"

namespace kaldora {

namespace {

using CalcRoutine = void (*)(Calc&);

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

// A value in the row that is not a finite number (a working slot the screen
// never shows) is a fault just as one on the result line would be; so is a
// value that would not be finite as a field shows it (mm from m).
void RequireFiniteRow(const SlotValues& values) {
    for (int slot = 0; slot < kSlotCount; ++slot)
        RequireFinite(TypedFromHeld(slot, values[static_cast<std::size_t>(slot)]));
}

// The options the type has, as the trace names them.
void TraceOptions(CalcTrace* trace, const CalcTypeInfo& info, const CalcInput& in) {
    if (!trace) return;
    if (info.locationPlate) TraceOption(trace, "Расположение", in.indoors ? "в помещении" : "на открытом воздухе");
    if (info.coverPlate) TraceOption(trace, "Покрытие", in.metalCover ? "металл" : "неметалл");
    if (info.hoursPlate)
        TraceOption(trace, "Число часов работы", in.longHours ? "свыше 5000 в год" : "не более 5000 в год");
    // Under the historical tables the trace stays as it always was.
    if (info.HasNormOption() && in.norm.set == NormSet::Sp61) {
        TraceOption(trace, "Нормы", TextOf(in.norm.set).title);
        TraceOption(trace, "Опоры", TextOf(in.norm.supports).title);
        TraceOption(trace, "Район", TextOf(in.norm.region).title);
    }
}

}  // namespace

CalcOutcome Calculate(const CalcInput& input, CalcTrace* trace) {
    const CalcTypeInfo& info = TypeInfo(input.type);
    if (trace) trace->type = input.type;
    TraceOptions(trace, info, input);
    Calc c(input, trace);

    // Traps stay off: a fault shows up as a value that is not finite, and the
    // flags tell which fault it was. Clearing them costs more than looking,
    // and only these three name a fault.
#if defined(FE_DIVBYZERO) && defined(FE_OVERFLOW) && defined(FE_INVALID)
    if (std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID)) std::feclearexcept(FE_ALL_EXCEPT);
#endif
    try {
        Routine(info.type)(c);
        RequireFiniteRow(c.outcome.values);
    } catch (const ArithmeticFault& fault) {
        // What the calculation wrote stays, except values that are not
        // numbers: nothing downstream (fields, report) may see them.
        for (double& value : c.outcome.values)
            if (!std::isfinite(value)) value = 0.0;
        c.Slot(kSlotThickness) = 0.0;
        c.outcome.whole = {.answer = Answer::Refused};
        TraceRefusal(trace);
        TraceMessage(trace, fault.message);
        c.outcome.messages.push_back({CalcMessage::Kind::ResultLine, {}, 0.0});
        c.outcome.messages.push_back({CalcMessage::Kind::Error, fault.message});
    }
    return std::move(c.outcome);
}

}  // namespace kaldora
