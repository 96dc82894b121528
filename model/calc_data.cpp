#include "model/calc_data.h"

#include "model/calc_types.h"

namespace kaldora {

namespace {
TypeFlags StartIndoorsFlags() {
    TypeFlags flags{};
    for (const CalcTypeInfo& info : CalcTypes)
        flags[static_cast<std::size_t>(info.Number())] = info.alwaysIndoors ? 1 : 0;
    return flags;
}
}  // namespace

double ParamTable[kTypeCount][kSlotCount];
std::array<WholeResult, kTypeCount> WholeResults;
int CurrentType = 0;
TypeFlags IndoorsFlag = StartIndoorsFlags();
TypeFlags MetalCoverFlag;
TypeFlags LongHoursFlag;
TypeFlags CalculatedFlag;
std::array<NormChoice, kTypeCount> NormChoices;
std::array<std::string, kSlotCount> SlotFormats;
std::string EditTextBuffer;
std::string MessageBuffer;

void ResetCalcData() {
    for (auto& row : ParamTable)
        for (double& cell : row) cell = 0.0;
    CurrentType = 0;
    IndoorsFlag = StartIndoorsFlags();
    MetalCoverFlag = {};
    LongHoursFlag = {};
    CalculatedFlag = {};
    NormChoices = {};
    WholeResults = {};
    for (auto& format : SlotFormats) format.clear();
    EditTextBuffer.clear();
    MessageBuffer.clear();
}

double& CurrentSlot(int slot) { return ParamTable[CurrentType][slot]; }

}  // namespace kaldora
