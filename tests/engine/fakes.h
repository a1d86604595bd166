#pragma once
// Test doubles for the engine: a message service that records and answers from a queue, a display
// that records what the step drew, and a run host with a clock moved by hand.

#include "core/messageservice.h"
#include "engine/display.h"
#include "engine/runcontrol.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kestrel::test {

class FakeMessages : public MessageService {
public:
    std::vector<std::string> shown; ///< every message and question, in order
    std::deque<bool> answers;       ///< answers to questions; empty queue answers Yes/Retry
    int beeps = 0;

    std::vector<std::string> titles; ///< the title of each message or question that had its own

    void showMessage(const std::string& text) override { shown.push_back(text); }
    bool askYesNo(const std::string& text) override { return answer(text); }
    void showMessage(const std::string& text, const std::string& title) override {
        titles.push_back(title);
        showMessage(text);
    }
    bool askYesNo(const std::string& text, const std::string& title) override {
        titles.push_back(title);
        return answer(text);
    }
    bool askRetryCancel(const std::string& text) override { return answer(text); }
    void beep() override { ++beeps; }

private:
    bool answer(const std::string& text) {
        shown.push_back(text);
        if (answers.empty())
            return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

class RecordingDisplay : public Display {
public:
    std::vector<int> drawn1, drawn2;
    int pvBar = 0, mvSlider = 0, svPointer = 0, dvPointer = 0;
    double sv = -1, mv = -1, pv = -1;
    int svShown = 0, mvShown = 0, pvShown = 0;

    void Line_draw1(std::int16_t i) override { drawn1.push_back(i); }
    void Line_draw2(std::int16_t i) override { drawn2.push_back(i); }
    void PvBarUpdate() override { ++pvBar; }
    void MvSliderUpdate() override { ++mvSlider; }
    void SvPointerUpdate() override { ++svPointer; }
    void DvPointerUpdate() override { ++dvPointer; }
    void showSv(double v) override {
        sv = v;
        ++svShown;
    }
    void showMv(double v) override {
        mv = v;
        ++mvShown;
    }
    void showPv(double v) override {
        pv = v;
        ++pvShown;
    }
};

class FakeHost : public RunHost {
public:
    int interval = -1;
    bool pacingEnabled = false;
    int endOfRunTimerStarts = 0;
    bool endOfRunTimerRunning = false;
    int processEventsCalls = 0;
    double clock = 1000.0; ///< seconds; tests move it by hand
    bool quit = false;
    bool startEnabled = true, pauseEnabled = false, fastEnabled = false, clearEnabled = true,
         printEnabled = true, lessonButtonVisible = false, penRecorderRedraw = true;
    std::string pauseCaption = "ポーズ";
    std::string focus;
    std::map<PanelText, std::string> texts{
        {PanelText::RH, "100.0"}, {PanelText::RL, "0.0"}, {PanelText::TM, "50"}};
    double bias = -1;
    int captionResets = 0;
    bool autoRange = false;
    double width = 9015, penWidth = 5295;
    int erases = 0, grids = 0, penRecorderClears = 0, penColorAdvances = 0, notesDrawn = 0;
    /// Called at each processEvents (e.g. to press Pause in the middle of a fast run).
    std::function<void()> onProcessEvents;

    void setPacingInterval(int ms) override { interval = ms; }
    void setPacingTimerEnabled(bool on) override { pacingEnabled = on; }
    void startEndOfRunTimer() override {
        ++endOfRunTimerStarts;
        endOfRunTimerRunning = true;
    }
    void stopEndOfRunTimer() override { endOfRunTimerRunning = false; }
    void stopDisplayTimer() override {}
    void processEvents() override {
        ++processEventsCalls;
        if (onProcessEvents)
            onProcessEvents();
    }
    double wallClockSeconds() override { return clock; }
    void quitApplication() override { quit = true; }
    void setStartEnabled(bool on) override { startEnabled = on; }
    void setPauseEnabled(bool on) override { pauseEnabled = on; }
    void setFastEnabled(bool on) override { fastEnabled = on; }
    void setClearEnabled(bool on) override { clearEnabled = on; }
    void setPrintEnabled(bool on) override { printEnabled = on; }
    void setPauseCaption(const std::string& c) override { pauseCaption = c; }
    void focusStart() override { focus = "start"; }
    void focusFast() override { focus = "fast"; }
    void setLessonButtonVisible(bool on) override { lessonButtonVisible = on; }
    void focusLessonButton() override { focus = "lesson"; }
    std::string text(PanelText which) override { return texts[which]; }
    void setText(PanelText which, const std::string& t) override { texts[which] = t; }
    void showBias(double b) override { bias = b; }
    void resetCaptionAndNotes() override { ++captionResets; }
    bool autoRangeChecked() override { return autoRange; }
    double chartWidth() override { return width; }
    double penRecorderWidth() override { return penWidth; }
    void eraseCharts() override { ++erases; }
    void Pict_inz() override { ++grids; }
    void clearPenRecorder() override { ++penRecorderClears; }
    void setPenRecorderRedraw(bool on) override { penRecorderRedraw = on; }
    void PenColorAdvance() override { ++penColorAdvances; }
    void drawLessonNotes() override { ++notesDrawn; }
};

class FakeSettings : public SettingsWriter {
public:
    std::vector<std::pair<std::string, std::string>> writes;
    bool writeSetting(const std::string& key, const std::string& value) override {
        writes.emplace_back(key, value);
        return true;
    }
};

} // namespace kestrel::test
