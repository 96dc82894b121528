#include "screen/recording_view.h"

#include "model/type_layout.h"

namespace kaldora {

namespace {
bool IsSlot(int slot) { return slot >= 0 && slot < kSlotCount; }
}  // namespace

RecordingView::RecordingView() = default;

std::string RecordingView::SlotText(int slot) const {
    if (!IsSlot(slot)) return {};
    const auto k = static_cast<std::size_t>(slot);
    if (typed_[k]) return texts_[k];
    const SlotDesign* design = FindSlotDesign(slot);
    return design ? std::string(design->designText) : std::string();
}

void RecordingView::Type(int slot, const std::string& text) {
    if (!IsSlot(slot)) return;
    texts_[static_cast<std::size_t>(slot)] = text;
    typed_[static_cast<std::size_t>(slot)] = true;
}

void RecordingView::SetSlotText(int slot, const std::string& text) {
    Type(slot, text);
    events_.push_back({Kind::SlotText, text, slot});
}

void RecordingView::SetResultLine(const std::string& caption) {
    resultLine_ = caption;
    events_.push_back({Kind::ResultLine, caption});
}

void RecordingView::ShowInfo(const std::string& message) { events_.push_back({Kind::Info, message}); }

void RecordingView::ShowError(const std::string& message) { events_.push_back({Kind::Error, message}); }

}  // namespace kaldora
