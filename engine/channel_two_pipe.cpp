// Type 5: the common insulation thickness of the supply and return pipes of a
// heat network in an underground non-walkable channel. The supply pipe loses
// its norm; the return pipe's loss, the channel air temperature and both
// conductivities are found together.
#include <cmath>

#include "engine/calculations.h"
#include "engine/kernels.h"
#include "engine/reference_tables.h"
#include "model/calc_data.h"
#include "model/value_exchange.h"

namespace kaldora {

namespace {

enum ChannelSlot {
    kSoilTemp = 17,
    kSoilConductivity = 18,
    kDepth = 19,
    kHeight = 20,
    kWidth = 21,
    kChannelAlphaSlot = 22,
    kPipeDiameter = 23,
    kSupplyTemp = 24,
    kPipeThickness = 25,
    kReturnTemp = 27,
    kSupplyLoss = 29,
    kReturnLoss = 30,
};

constexpr char kInputError[] = "Ошибка в исходных данных\n";

}  // namespace

double ChannelSurfaceResistance(const ChannelInputs& in) {
    // From the channel's equivalent diameter 2wh / (w + h).
    return (in.width + in.height) / (kTwoPi * kChannelAlpha * in.width * in.height);
}

double SoilResistance(const ChannelInputs& in) {
    return (std::log(3.5 * in.depth / in.height) + 0.25 * std::log(in.height / in.width)) /
           ((0.5 * in.width / in.height + 5.7) * in.soilConductivity);
}

ChannelIteration IterateChannel(const ChannelInputs& in, double supplyLoss) {
    constexpr double kSettled = 0.01;
    constexpr int kMaxPasses = 30;
    const double outerResistance = ChannelSurfaceResistance(in) + SoilResistance(in);
    const double d = in.pipeDiameter;
    const double q1 = supplyLoss;

    ChannelIteration it{0.0, 1.5, 0.0, 0.0, 0};
    double supplySurface = (in.soilTemp + in.returnTemp) / 2.0;
    double returnSurface = supplySurface;
    double epsilon = 1.0;
    // Each iterated value is replaced by the mean of its old and new value;
    // epsilon is the largest half-change of the pass.
    while (epsilon > kSettled && it.passes < kMaxPasses) {
        ++it.passes;
        it.channelAirTemp = in.soilTemp + outerResistance * 1.15 * q1 * it.ratio;
        const double lambda1 = InsulationConductivity((in.supplyTemp + supplySurface) / 2.0);
        const double lambda2 = InsulationConductivity((in.returnTemp + returnSurface) / 2.0);
        const double required = (in.supplyTemp - it.channelAirTemp) / q1;
        const double a = std::log(d) + kTwoPi * lambda1 * required;
        const double b = 2.0 * lambda1 / kChannelAlpha;
        CurrentSlot(kSlotDiameter) = d;
        it.outerDiameter = SolveInsulationDiameter(a, b);

        const double layer1 = std::log(it.outerDiameter / d) / (kTwoPi * lambda1);
        const double layer2 = std::log(it.outerDiameter / d) / (kTwoPi * lambda2);
        const double surface = 1.0 / (kPi * kChannelAlpha * it.outerDiameter);
        it.returnLoss = (in.returnTemp - it.channelAirTemp) / (layer2 + surface);

        const double s1 = in.supplyTemp - q1 * layer1;
        const double s2 = in.returnTemp - it.returnLoss * layer2;
        supplySurface = (supplySurface + s1) / 2.0;
        returnSurface = (returnSurface + s2) / 2.0;
        epsilon = std::fabs(supplySurface - s1);
        if (std::fabs(returnSurface - s2) > epsilon) epsilon = std::fabs(returnSurface - s2);
        const double r = (q1 + it.returnLoss) / q1;
        it.ratio = (it.ratio + r) / 2.0;
        if (std::fabs(it.ratio - r) > epsilon) epsilon = std::fabs(it.ratio - r);
    }
    return it;
}

void CalcChannelTwoPipe() {
    CurrentSlot(kChannelAlphaSlot) = kChannelAlpha;
    const ChannelInputs in{CurrentSlot(kSoilTemp), CurrentSlot(kSoilConductivity),
                           CurrentSlot(kDepth),    CurrentSlot(kHeight),
                           CurrentSlot(kWidth),    CurrentSlot(kPipeDiameter),
                           CurrentSlot(kSupplyTemp), CurrentSlot(kReturnTemp)};

    if (0.5 * in.height >= in.depth) {
        RefuseMessageFirst(std::string(kInputError) + "Канал выходит на поверхность земли");
        return;
    }
    const LookupTable& table =
        LongHoursFlag[CurrentType] ? NormFluxChannelOver5000 : NormFluxChannelUpTo5000;
    const double supplyLoss = Lookup(table, in.pipeDiameter, in.supplyTemp);
    if (supplyLoss == 0.0) {
        RefuseMessageFirst(MessageBuffer);
        return;
    }
    // Divisors and logarithm arguments of the channel and soil resistances.
    if (!(in.height > 0.0 && in.width > 0.0 && in.soilConductivity > 0.0)) {
        RefuseMessageFirst(std::string(kInputError) +
                           "Размеры канала и теплопроводность грунта\nдолжны быть больше нуля");
        return;
    }

    const ChannelIteration it = IterateChannel(in, supplyLoss);
    CurrentSlot(kSupplyLoss) = supplyLoss;
    CurrentSlot(kReturnLoss) = it.returnLoss;
    CurrentSlot(kPipeThickness) = (it.outerDiameter - in.pipeDiameter) / 2.0;
    CurrentSlot(kSlotThickness) = CurrentSlot(kPipeThickness);

    if (!(CurrentSlot(kSlotThickness) >= 0.0)) {
        MessageBuffer = std::string(kInputError) +
                        "Проверьте соответствие\nдиаметров труб и размеров канала";
        RefuseMessageFirst(MessageBuffer);
        return;
    }
    if (2.0 * it.outerDiameter + 0.3 > in.width) InfoBox("Ширина канала недостаточна");
    if (it.outerDiameter + 0.15 > in.height) InfoBox("Высота канала недостаточна");
    ShowResult(CurrentSlot(kSlotThickness));
}

}  // namespace kaldora
