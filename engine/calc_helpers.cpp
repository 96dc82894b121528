#include "engine/calculations.h"
#include "model/calc_data.h"
#include "model/value_exchange.h"

namespace kaldora {

void RefuseResultFirst(std::string_view message) {
    ShowResult(0.0);
    CurrentSlot(kSlotThickness) = 0.0;
    InfoBox(message);
}

void RefuseMessageFirst(std::string_view message) {
    InfoBox(message);
    CurrentSlot(kSlotThickness) = 0.0;
    ShowResult(0.0);
}

}  // namespace kaldora
