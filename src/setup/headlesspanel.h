#pragma once
// The controller panel without a window: run control's host over the set-up document's panel
// settings. The headless runner uses it as it is; the panel window derives from it and adds
// what a learner sees (timers, buttons, charts).

#include "engine/runcontrol.h"
#include "setup/setupdocument.h"

namespace kestrel {

class HeadlessPanel : public RunHost {
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

    // Nothing to show without a window.
    void setPacingInterval(int ms) override { mInterval = ms; }
    void setPacingTimerEnabled(bool on) override { mPacing = on; }
    void startEndOfRunTimer() override {}
    void stopEndOfRunTimer() override {}
    void stopDisplayTimer() override {}
    void processEvents() override {}
    /// The headless clock stands still: a run takes no wall time.
    double wallClockSeconds() override { return 0.0; }
    void quitApplication() override { mQuit = true; }
    void setStartEnabled(bool) override {}
    void setPauseEnabled(bool) override {}
    void setFastEnabled(bool) override {}
    void setClearEnabled(bool) override {}
    void setPrintEnabled(bool) override {}
    void setPauseCaption(const std::string&) override {}
    void focusStart() override {}
    void focusFast() override {}
    void setLessonButtonVisible(bool) override {}
    void focusLessonButton() override {}
    void resetCaptionAndNotes() override {}
    /// Design width of the upper chart strip and of the pen recorder's strips, in twips.
    double chartWidth() override { return 9015.0; }
    double penRecorderWidth() override { return 5295.0; }
    void eraseCharts() override {}
    void Pict_inz() override {}
    void clearPenRecorder() override {}
    void setPenRecorderRedraw(bool) override {}
    void drawLessonNotes() override {}

    int pacingInterval() const { return mInterval; }
    bool pacingEnabled() const { return mPacing; }
    bool quitRequested() const { return mQuit; }

protected:
    SetupDocument& mDocument;

private:
    int mInterval = 100;
    bool mPacing = false;
    bool mQuit = false;
};

} // namespace kestrel
