#include "model/calc_data.h"

namespace kaldora {

double ParamTable[kTypeCount][kSlotCount];
int CurrentType = 0;
TypeFlags IndoorsFlag{0, 0, 1, 0, 0, 0};  // type 2 is always indoors
TypeFlags MetalCoverFlag;
TypeFlags LongHoursFlag;
TypeFlags CalculatedFlag;
std::array<std::string, kSlotCount> SlotFormats;
std::string EditTextBuffer;
std::string MessageBuffer;

void ResetCalcData() {
    for (auto& row : ParamTable)
        for (double& cell : row) cell = 0.0;
    CurrentType = 0;
    IndoorsFlag = {0, 0, 1, 0, 0, 0};
    MetalCoverFlag = {};
    LongHoursFlag = {};
    CalculatedFlag = {};
    for (auto& format : SlotFormats) format.clear();
    EditTextBuffer.clear();
    MessageBuffer.clear();
}

double& CurrentSlot(int slot) { return ParamTable[CurrentType][slot]; }

}  // namespace kaldora
