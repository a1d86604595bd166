#pragma once
// TrendChart: the controller panel's chart, two graphs (グラフ１, グラフ２) of which one is shown,
// each an upper strip (SV, PV and DV over the range RL..RH, grid every 5 units) and a lower strip
// (MV over MvStripLow..MvStripHigh, grid at the quarters); the DV pointer left of the upper strip
// with its caption and value; the lesson's figure labels (Tcoment1-4 on the upper strip, 5-7 on
// the lower one).
//
// Sample i of the selected graph is drawn like a pen recorder: from the previous sample's point a
// horizontal line at the old level to x(i), then a vertical line to the new level, each channel in
// its pen (ChartScale gives the points; PV, SV and MV stay 50 twips above a strip's lower edge, DV
// as far above it as the run's DV offset). The chart's widgets are children of the panel, which
// places the strips (layOut); the drag and click rules of the DV pointer are in twips of the panel.

#include "analysis/runstore.h"
#include "engine/appstate.h"
#include "engine/errortrap.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <string>

class QLabel;
class QWidget;

namespace kestrel {

class HelpLabel;
class PictureBox;
class PointerImage;

class TrendChart : public QObject {
    Q_OBJECT
public:
    /// Creates the DV pointer, the strips of both graphs and the figure labels on `panel`.
    TrendChart(AppState& state, MessageService& messages, QWidget* panel);

    /// Places both graphs' strips at `left`, `top` (twips of the panel).
    void layOut(double left, double top, double width, double upperHeight, double lowerHeight);
    /// Shows graph `index` (0 or 1), hides the other.
    void showGraph(int index);
    /// The help label that goes with the DV pointer.
    void setPointerHelp(HelpLabel* help) { mDvHelp = help; }

    /// Draws sample i of the selected graph ("  P049").
    void Line_draw1(std::int16_t i);
    /// Draws every sample of a kept run on the selected graph, in the run's own pens; with run
    /// line styles on, in the style of the `overlay`-th run on the graph since its last clear.
    void drawRun(const KeptRun& run, int overlay = 0);
    /// Which run on the selected graph since its last clear (from 0) the graph's own record is:
    /// its line style with run line styles on.
    void setRecordOverlay(int overlay) { mRecordOverlay = overlay; }
    /// The grid of the selected graph's range and graph time, on both graphs ("  P041").
    void Pict_inz();
    /// Erases both graphs.
    void erase();
    /// Hides the figure labels.
    void hideNotes();
    /// Marks the selected graph like the book figure `id` at the end of a lesson run.
    void Note_draw(const std::string& id);
    /// Width of the selected graph's strips in twips.
    double width() const;

    /// The DV pointer follows DV + the run's offset on the upper strip's scale ("  P047").
    void DvPointerUpdate();
    /// Mouse on the DV pointer (y in twips within it).
    void DvpMouseDown();
    void DvpMouseMove(double y);
    void DvpMouseUp();
    /// The DV pointer's arrow keys: moved by `units` of the upper strip's scale as a drag would.
    void dvpStep(int units);
    /// The DV pointer in the DV pen's colour (colour-safe or not).
    void showPenColours();
    /// A click on the panel at (x, y) twips: in the DV pointer's column it sets DV there ("  P037").
    void dvPointerClick(double x, double y);
    double dvpTop() const { return mDvpTop; }

    /// What the selected graph's record shows at time t (s): the time of the last sample taken by
    /// then with its SV, PV and MV, as the chart's tooltip says it; empty before the record's
    /// first sample, after its last, or when nothing is recorded.
    std::string readingAt(double t) const;

    PictureBox* upper(int k) const { return mPicture1[k]; }
    PictureBox* lower(int k) const { return mPicture2[k]; }
    QLabel* note(int n) const { return mTcoment[n - 1]; }

protected:
    /// The strips' tooltips: the reading under the mouse (no click or drag changes).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void drawUpperGrid(int k, double interval);
    void drawLowerGrid(int k, double interval);
    void drawNoteLabel(int index, const std::string& caption, Rgb colour, double left, double top,
                       double width);
    void setDvFromPointer(double bottom, double H, double d);
    void placeDvp();
    ErrorTrap trap(const char* code) { return ErrorTrap(mMessages, code, mState.chart.Reported); }

    AppState& mState;
    MessageService& mMessages;
    PointerImage* mDvp = nullptr;
    std::array<QLabel*, 2> mLblDvp{};
    std::array<PictureBox*, 2> mPicture1{}, mPicture2{};
    std::array<QLabel*, 7> mTcoment{};
    HelpLabel* mDvHelp = nullptr;

    double mDvpTop = 2000.0; // twips
    int mRecordOverlay = 0;
    bool mDvDragging = false;
};

} // namespace kestrel
