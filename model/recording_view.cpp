#include "model/recording_view.h"

#include "model/type_layout.h"

namespace kaldora {

RecordingView::RecordingView() {
    for (const SlotDesign& design : ShownSlotDesigns)
        texts_[design.slot] = std::string(design.designText);
}

std::string RecordingView::SlotText(int slot) const {
    const auto it = texts_.find(slot);
    return it == texts_.end() ? std::string() : it->second;
}

void RecordingView::SetSlotText(int slot, const std::string& text) {
    texts_[slot] = text;
    events_.push_back({Kind::SlotText, text, slot});
}

void RecordingView::SetResultLine(const std::string& caption) {
    resultLine_ = caption;
    events_.push_back({Kind::ResultLine, caption});
}

void RecordingView::ShowInfo(const std::string& message) {
    events_.push_back({Kind::Info, message});
}

void RecordingView::ShowError(const std::string& message) {
    events_.push_back({Kind::Error, message});
}

}  // namespace kaldora
