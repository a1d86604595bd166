#pragma once
// Run control's host without a window: nothing to show, a clock that stands still, the range and
// graph-time texts kept as plain strings. Runs hosted by it take no wall time.

#include "engine/runcontrol.h"

#include <string>

namespace kestrel {

class QuietRunHost : public RunHost {
public:
    QuietRunHost() = default;
    QuietRunHost(std::string rangeHigh, std::string rangeLow, std::string graphTime)
        : mRangeHigh(std::move(rangeHigh)), mRangeLow(std::move(rangeLow)), mGraphTime(std::move(graphTime)) {
    }

    std::string text(PanelText which) override { return slot(which); }
    void setText(PanelText which, const std::string& text) override { slot(which) = text; }
    void showBias(double) override {}
    bool autoRangeChecked() override { return false; }
    void PenColorAdvance() override {}

    void setPacingInterval(int ms) override { mInterval = ms; }
    void setPacingTimerEnabled(bool on) override { mPacing = on; }
    void startEndOfRunTimer() override {}
    void stopEndOfRunTimer() override {}
    void stopDisplayTimer() override {}
    void processEvents() override {}
    /// The clock stands still: a run takes no wall time.
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
    /// A failing step was answered with Cancel.
    bool quitRequested() const { return mQuit; }

private:
    std::string& slot(PanelText which) {
        return which == PanelText::RH ? mRangeHigh : which == PanelText::RL ? mRangeLow : mGraphTime;
    }

    std::string mRangeHigh = "100", mRangeLow = "0", mGraphTime = "50";
    int mInterval = 100;
    bool mPacing = false;
    bool mQuit = false;
};

/// Settings that go nowhere: runs that take no wall time must never change the settings file.
class DiscardedSettings : public SettingsWriter {
public:
    bool writeSetting(const std::string&, const std::string&) override { return true; }
};

} // namespace kestrel
