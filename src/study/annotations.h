#pragma once
// Lesson figure annotations: the marks the controller panel puts on its trend chart when a lesson
// run ends, so that the chart looks like the book's figure: leader lines with captions, dimension
// arrows with their values and marker lines.
//
// Each figure is a table of drawing steps in data coordinates: t in seconds on the time axis, v in
// percent on the value axis of the PV strip or the MV strip, plus offsets in twips (a positive y
// offset moves down). The layout places the steps with the scale the charts have when the pass
// runs, so every mark follows the display range and the graph time:
//
//     x(t) = W · t / TM                W chart width (twips), TM graph time (s)
//     y(v) = H · (RH − v) / (RH − RL)  H chart height (twips), RL..RH the strip's range (%)
//
// both computed in single precision and handed on unrounded. The result is a list of drawing
// operations (NoteOp) that the panel executes in order on its two strips and on the labels
// Tcoment1..Tcoment7; nothing here draws.
//
// Arrowheads: two strokes from the tip to points 50 twips to either side across the shaft and a
// fixed distance back along it (80 twips on the PV strip, 90 on the MV strip unless the figure
// says otherwise). A label is as wide as its caption is shown (without a measure of the face, 170
// twips per character) and stays inside its strip: a label that would stand past an edge is moved
// back inside, so a caption is never cut off at the chart's top or right edge.

#include "core/palette.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kestrel {

/// The two strips of the selected graph: PV (upper, range RL..RH) and MV (lower, 0..100).
enum class NoteChart { Pv, Mv };

/// Pink, &H00FF80FF: the colour of the dimension arrows and of most lesson marks.
inline constexpr Rgb kNotePink = rgb(255, 128, 255);

/// Colour of a table step: the PV pen of the selected graph (given by the panel) or pink.
enum class NoteInk { Pen, Pink };

/// Scale of one strip at the time of the pass.
struct ChartGeometry {
    double width = 0;     ///< twips
    double height = 0;    ///< twips
    double graphTime = 0; ///< TM, seconds shown across the width
    double rangeLow = 0;  ///< value at the bottom edge, %
    double rangeHigh = 0; ///< value at the top edge, %

    /// x(t) in single precision. Throws RuntimeError 11 when TM is 0 and 6 when the result is not
    /// a finite single-precision number.
    float x(double t) const;
    /// y(v) in single precision. Throws RuntimeError 11 when RH = RL and 6 when the result is not
    /// a finite single-precision number.
    float y(double v) const;
};

// ---- The figure table -------------------------------------------------------------------------

/// One axis of a table point: the chart coordinate of a data value (x(value) or y(value)), or the
/// middle of the chart coordinates of two values, plus an offset in twips.
struct NoteAxis {
    double value = 0;
    double value2 = 0; ///< the other value when `middle`
    bool middle = false;
    double offset = 0;
};

/// What a data point of a figure means to a check of the lesson run against the figure.
enum class AnchorKind {
    Anchor,      ///< a callout or marker starts here: a trace of the strip passes through (t, v)
    Level,       ///< a dimension arrow or level marker measures v; t is where it stands, and a trace
                 ///< of the strip takes the value v (not necessarily at t)
    Construction ///< a helper of the construction drawn in empty chart space, on no trace
};

struct NotePoint {
    NoteAxis x, y;
    /// Set on the plain data points (no offset, no middle) that figureAnchors lists.
    std::optional<AnchorKind> kind;
};

struct StyleStep {
    NoteChart chart;
    bool dotted; ///< DrawStyle 2, else 0 (solid)
};
struct WidthStep {
    NoteChart chart;
    int pixels; ///< DrawWidth
};
struct SegmentStep {
    NoteChart chart;
    NotePoint from, to;
    NoteInk ink;
};
enum class HeadDirection { Up, Down, Left, Right };
/// An arrowhead: the tip points in `direction`; the strokes end `back` twips behind the tip.
struct HeadStep {
    NoteChart chart;
    NotePoint tip;
    HeadDirection direction;
    double back;
    NoteInk ink;
};
/// Label Tcoment<index>: Tcoment1..4 lie on the PV strip, Tcoment5..7 on the MV strip, so their
/// Left and Top are coordinates of that strip. A right-aligned label has Left = left − its width.
struct LabelStep {
    int index;
    std::string_view caption;
    NoteAxis left, top;
    bool rightAligned;
    NoteInk ink;
};
using FigureStep = std::variant<StyleStep, WidthStep, SegmentStep, HeadStep, LabelStep>;

struct NoteFigure {
    std::string_view id;
    std::vector<FigureStep> steps; ///< in drawing order
};

/// The figure ids a lesson step's NOTES key may name, in the order of the lessons.
const std::vector<std::string>& knownFigureIds();

/// The figure with exactly this id, or nullptr.
const NoteFigure* findNoteFigure(std::string_view id);

/// The strip a label Tcoment<index> belongs to.
constexpr NoteChart labelChart(int index) {
    return index <= 4 ? NoteChart::Pv : NoteChart::Mv;
}

/// Number of characters (UTF-8 code points) of a caption.
std::size_t captionLength(std::string_view utf8);

/// Width of a label showing this caption: 170 twips per character.
inline double labelWidth(std::string_view caption) {
    return 170.0 * double(captionLength(caption));
}

/// How the panel shows a caption: its width in twips (no function: 170 twips per character) and
/// the height of a label.
struct LabelMetrics {
    std::function<double(std::string_view)> width;
    double height = 255;

    double widthOf(std::string_view caption) const { return width ? width(caption) : labelWidth(caption); }
};

// ---- Drawing operations -----------------------------------------------------------------------

struct NoteSetStyle {
    NoteChart chart;
    bool dotted;
    bool operator==(const NoteSetStyle&) const = default;
};
struct NoteSetWidth {
    NoteChart chart;
    int pixels;
    bool operator==(const NoteSetWidth&) const = default;
};
/// A line segment between two points of the strip, in twips, in the strip's current style and
/// width.
struct NoteLine {
    NoteChart chart;
    float x1, y1, x2, y2;
    Rgb colour;
    bool operator==(const NoteLine&) const = default;
};
/// Label Tcoment<index>: Caption, Width, Top, Left and ForeColor set in this order, then shown.
struct NoteLabel {
    int index;
    std::string caption;
    float left, top, width;
    Rgb colour;
    bool operator==(const NoteLabel&) const = default;
};
/// A message box with OK only (an error description followed by "  P054").
struct NoteMessage {
    std::string text;
    bool operator==(const NoteMessage&) const = default;
};
using NoteOp = std::variant<NoteSetStyle, NoteSetWidth, NoteLine, NoteLabel, NoteMessage>;

/// The operations that draw one figure (empty for an id not in the table), in table order. A step
/// whose coordinates cannot be computed (a strip with RH = RL or TM = 0) is left out; the first
/// such step yields a NoteMessage with the error, later ones are left out silently, since they
/// fail for the same cause.
std::vector<NoteOp> layoutFigure(std::string_view id, const ChartGeometry& pv, const ChartGeometry& mv,
                                 Rgb pen, const LabelMetrics& labels = {});

/// The whole annotation pass at the end of a lesson run, `Note_draw`:
///  1. nothing is drawn unless paraSetDone and simExecDone are both true (go to 5);
///  2. dotted style on both strips;
///  3. the figure with this exact id (layoutFigure; nothing for another id);
///  4. solid style and width 1 on both strips, the state the traces and the grid are drawn in;
///  5. simExecDone := false, so a second end of run without a new start draws nothing.
/// `pen` is the colour of the selected graph's PV trace.
std::vector<NoteOp> noteDraw(std::string_view id, bool paraSetDone, bool& simExecDone,
                             const ChartGeometry& pv, const ChartGeometry& mv, Rgb pen,
                             const LabelMetrics& labels = {});

/// A data point of a figure for checking a lesson run against the book figure.
struct FigureAnchor {
    NoteChart chart;
    AnchorKind kind;
    double t; ///< s
    double v; ///< %
    bool operator==(const FigureAnchor&) const = default;
};

/// The anchors, arrow levels, level markers and construction points of a figure, in table order,
/// each listed once (empty for an id not in the table). Leader ends, label positions and the
/// middles of arrows are not listed: they follow from these.
std::vector<FigureAnchor> figureAnchors(std::string_view id);

} // namespace kestrel
