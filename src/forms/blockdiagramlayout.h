#pragma once
// The page layouts of the block diagram: boxes, wires, summing points and texts in design units
// (pixels of the 550 × 280 design area), built once per page. Internal to BlockDiagram.

#include "forms/blockdiagram.h"

#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <utility>
#include <vector>

namespace kestrel::diagram {

// Design area in pixels (8250 × 4200 twips).
constexpr double kW = 550, kH = 280;
constexpr double kR = 7; // summing point radius

enum class Side { Left, Top, Bottom, Right };

/// One piece of a block's content: a text with an optional superscript, or a fraction (text
/// and superscript over den), or a text whose run of spaces holds a small fraction num2 / den2,
/// as in "Kp(1+ 1/Ti・s )".
struct Term {
    QString text, sup, den, num2, den2;
};

struct Box {
    QRectF rect;
    std::vector<Term> terms;
};

struct Wire {
    QPolygonF points;
    bool feedback = false; // carries PV: drawn grey while the loop is open
    bool branch = false;   // starts at a junction dot on another line
    bool bridge = false;   // passes over the lines it crosses, which get a gap
};

struct Sum {
    QPointF centre;
    std::vector<std::pair<Side, bool>> inputs; // side the input enters from, plus or minus
};

struct Text {
    QPointF at;
    QString text;
    Qt::Alignment align = Qt::AlignHCenter; // horizontally around `at`; always centred vertically
};

} // namespace kestrel::diagram

namespace kestrel {

struct BlockDiagram::Layout {
    using Box = diagram::Box;
    using Wire = diagram::Wire;
    using Sum = diagram::Sum;
    using Text = diagram::Text;
    using Side = diagram::Side;
    using Term = diagram::Term;

    std::vector<Box> boxes;
    std::vector<Wire> wires;
    std::vector<Sum> sums;
    std::vector<Text> texts;
    std::vector<QRectF> frames; // dashed outlines of a group of blocks
    double width = diagram::kW; // of the design area; its height is always kH

    void box(QRectF r, std::vector<Term> t) { boxes.push_back({r, std::move(t)}); }
    void wire(std::initializer_list<QPointF> p, bool feedback = false, bool branch = false) {
        wires.push_back({QPolygonF(QList<QPointF>(p)), feedback, branch, false});
    }
    void sum(QPointF c, std::vector<std::pair<Side, bool>> in) { sums.push_back({c, std::move(in)}); }
    void text(QPointF at, const QString& s, Qt::Alignment a = Qt::AlignHCenter) {
        texts.push_back({at, s, a});
    }
};

namespace diagram {

/// The layout of a page 0..5 with what it shows beyond the ideal loop (including the loop
/// structure); built on first use and
/// kept (the windows draw from the GUI thread only).
const BlockDiagram::Layout& layoutOf(int page, const BlockDiagram::ProcessDetail& detail = {});

} // namespace diagram

} // namespace kestrel
