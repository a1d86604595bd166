#pragma once
// The controller panel without a window: run control's host over the set-up document's panel
// settings. The headless runner uses it as it is; the panel window derives from it and adds
// what a learner sees (timers, buttons, charts).

#include "engine/quiethost.h"
#include "setup/setupdocument.h"

namespace kestrel {

class HeadlessPanel : public QuietRunHost {
public:
    explicit HeadlessPanel(SetupDocument& document) : mDocument(document) {}

    /// The SV the panel shows, and the loop starts from, when the program starts.
    static constexpr const char* kStartSv = "50.0";

    // Texts and settings live in the document.
    std::string text(PanelText which) override;
    void setText(PanelText which, const std::string& text) override;
    void showBias(double bA) override { mDocument.showBias(bA); }
    bool autoRangeChecked() override { return mDocument.autoRange(); }
    void PenColorAdvance() override { mDocument.PenColorAdvance(); }

protected:
    SetupDocument& mDocument;
};

} // namespace kestrel
