#include "setup/headlesspanel.h"

namespace kestrel {

std::string HeadlessPanel::text(PanelText which) {
    switch (which) {
    case PanelText::RH:
        return mDocument.rangeHighText();
    case PanelText::RL:
        return mDocument.rangeLowText();
    case PanelText::TM:
        return mDocument.graphTimeText();
    }
    return {};
}

void HeadlessPanel::setText(PanelText which, const std::string& text) {
    switch (which) {
    case PanelText::RH:
        mDocument.setRangeHighText(text);
        break;
    case PanelText::RL:
        mDocument.setRangeLowText(text);
        break;
    case PanelText::TM:
        mDocument.setGraphTimeText(text);
        break;
    }
}

} // namespace kestrel
