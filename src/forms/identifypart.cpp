#include "forms/identifypart.h"

#include "tuning/compare.h"

#include "forms/plotaxes.h"

#include "tuning/rules.h"
#include "widgets/qtext.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace kestrel {

namespace {

const QColor kMeasured(40, 40, 40);
const QColor kMvColour(0, 110, 160);
const QColor kTangent(30, 80, 220);
const QColor kTwoPoint(0, 150, 60);
const QColor kLeastSquares(210, 30, 30);
const QColor kClosedLoop(200, 110, 0);

/// A scale from data to pixels along one axis.
struct Axis {
    double lo, hi;   ///< data
    double from, to; ///< pixels
    double map(double v) const { return from + (v - lo) / (hi - lo) * (to - from); }
};

/// Low and high of the values, widened a little and to at least `minimum` apart.
std::pair<double, double> padded(double lo, double hi, double minimum) {
    if (hi - lo < minimum) {
        const double mid = (lo + hi) / 2;
        lo = mid - minimum / 2, hi = mid + minimum / 2;
    }
    // Room above for the strip's title.
    return {lo - (hi - lo) * 0.08, hi + (hi - lo) * 0.16};
}

QString number(double v) {
    return qtext(tuning::formulaNumber(v));
}

/// The pairs of signals a step test is read from, as the list names them.
struct SignalChoice {
    tuning::Signals pair;
    const char* caption;
};
const SignalChoice kSignalChoices[] = {
    {{Channel::MV, Channel::PV}, "PV ← MV"},
    {{Channel::MV, Channel::PV2},
     QT_TRANSLATE_NOOP("kestrel::IdentifyPart", "PV2 ← MV（内側ループ：二次調節計を手動にして）")},
    {{Channel::SV2, Channel::PV},
     QT_TRANSLATE_NOOP("kestrel::IdentifyPart", "PV ← SV2（外側ループ：内側ループを閉じて）")},
};

/// A model's response to the run's MV, stepped at the run's control period from its first sample.
StepTestChart::Curve modelCurve(const QString& name, QColor colour, const tuning::Fopdt& m,
                                const std::vector<double>& t, const std::vector<double>& mv, double pv0,
                                double dt) {
    StepTestChart::Curve c{name, colour, {}, {}};
    if (t.empty() || !(dt > 0))
        return c;
    const auto steps = static_cast<std::size_t>(std::floor((t.back() - t.front()) / dt + 1e-9)) + 1;
    if (steps > 200000)
        return c;
    std::vector<double> grid;
    std::size_t i = 0;
    for (std::size_t k = 0; k < steps; ++k) {
        const double tk = t.front() + static_cast<double>(k) * dt;
        while (i + 1 < t.size() && t[i + 1] <= tk + dt * 1e-6)
            ++i;
        c.t.push_back(tk);
        grid.push_back(mv[i]);
    }
    c.y = tuning::simulateFopdt(m, grid, pv0, mv.front(), dt);
    return c;
}

} // namespace

// --- The chart -----------------------------------------------------------------------------------

StepTestChart::StepTestChart(QWidget* parent) : QWidget(parent) {
    setObjectName("identifyChart");
    setMinimumSize(420, 260);
    setAutoFillBackground(false);
}

void StepTestChart::setData(std::vector<double> t, std::vector<double> pv, std::vector<double> mv,
                            std::vector<Curve> curves, std::optional<tuning::TangentConstruction> tangent) {
    mT = std::move(t), mPv = std::move(pv), mMv = std::move(mv);
    mCurves = std::move(curves);
    mTangent = tangent;
    update();
}

void StepTestChart::setNames(const QString& output, const QString& input) {
    mOutput = output;
    mInput = input;
    update();
}

void StepTestChart::clear() {
    setData({}, {}, {}, {}, std::nullopt);
}

void StepTestChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm(font());
    const int lineH = fm.height();
    if (mT.size() < 2) {
        p.setPen(Qt::darkGray);
        p.drawText(rect(), Qt::AlignCenter, tr("ランがありません。"));
        return;
    }

    const int left = fm.horizontalAdvance("100.0") + 14, right = width() - 14;
    const int top = lineH + 12, bottom = height() - lineH - 10;
    const int gap = lineH + 12; // room for the L and T marks under the PV strip
    const int upperBottom = top + static_cast<int>((bottom - top - gap) * 0.72);
    const QRect upper(QPoint(left, top), QPoint(right, upperBottom));
    const QRect lower(QPoint(left, upperBottom + gap), QPoint(right, bottom));

    double pvLo = *std::min_element(mPv.begin(), mPv.end()), pvHi = *std::max_element(mPv.begin(), mPv.end());
    for (const Curve& c : mCurves)
        for (double v : c.y)
            pvLo = std::min(pvLo, v), pvHi = std::max(pvHi, v);
    const auto [pl, ph] = padded(pvLo, pvHi, 1.0);
    const auto [ml, mh] =
        padded(*std::min_element(mMv.begin(), mMv.end()), *std::max_element(mMv.begin(), mMv.end()), 1.0);
    const Axis time{mT.front(), mT.back(), double(left), double(right)};
    const Axis pvAxis{pl, ph, double(upper.bottom()), double(upper.top())};
    const Axis mvAxis{ml, mh, double(lower.bottom()), double(lower.top())};

    // Grid and labels: seconds along the bottom, % at the left of each strip.
    const QPen grid(QColor(225, 225, 225), 1);
    const double tStep = tickStep(time.hi - time.lo, std::max(2, (right - left) / 90));
    auto drawStrip = [&](const QRect& strip, const Axis& axis, int count) {
        const double step = tickStep(axis.hi - axis.lo, count);
        for (double v = std::ceil(axis.lo / step) * step; v <= axis.hi; v += step) {
            const double y = axis.map(v);
            p.setPen(grid);
            p.drawLine(QPointF(strip.left(), y), QPointF(strip.right(), y));
            p.setPen(Qt::black);
            p.drawText(QRectF(0, y - lineH / 2.0, left - 6, lineH), Qt::AlignRight | Qt::AlignVCenter,
                       tickText(v, step));
        }
        for (double t = std::ceil(time.lo / tStep) * tStep; t <= time.hi; t += tStep) {
            p.setPen(grid);
            p.drawLine(QPointF(time.map(t), strip.top()), QPointF(time.map(t), strip.bottom()));
        }
        p.setPen(Qt::gray);
        p.setBrush(Qt::NoBrush);
        p.drawRect(strip);
    };
    // Each strip's title, drawn last so that no curve hides it.
    auto titleStrip = [&](const QRect& strip, const QString& title) {
        const QRect box(strip.left() + 1, strip.top() + 1, fm.horizontalAdvance(title) + 8, lineH);
        p.fillRect(box, Qt::white);
        p.setPen(Qt::black);
        p.drawText(box, Qt::AlignCenter, title);
    };
    drawStrip(upper, pvAxis, std::max(2, upper.height() / 40));
    drawStrip(lower, mvAxis, std::max(2, lower.height() / 30));
    p.setPen(Qt::black);
    for (double t = std::ceil(time.lo / tStep) * tStep; t <= time.hi; t += tStep)
        p.drawText(QRectF(time.map(t) - 40, bottom + 2, 80, lineH), Qt::AlignHCenter | Qt::AlignTop,
                   tickText(t, tStep));
    p.drawText(QRectF(right - 120, bottom + 2, 120, lineH), Qt::AlignRight | Qt::AlignTop, tr("時間 s"));

    auto polyline = [&](const std::vector<double>& t, const std::vector<double>& y, const Axis& axis) {
        QPainterPath path;
        for (std::size_t i = 0; i < t.size() && i < y.size(); ++i) {
            const QPointF pt(time.map(t[i]), axis.map(y[i]));
            if (i == 0)
                path.moveTo(pt);
            else
                path.lineTo(pt);
        }
        p.drawPath(path);
    };

    p.save();
    p.setClipRect(upper);
    if (mTangent) {
        const tuning::TangentConstruction& c = *mTangent;
        p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
        p.drawLine(QPointF(upper.left(), pvAxis.map(c.pv0)), QPointF(upper.right(), pvAxis.map(c.pv0)));
        p.drawLine(QPointF(upper.left(), pvAxis.map(c.pvF)), QPointF(upper.right(), pvAxis.map(c.pvF)));
        p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
        for (double t : {c.t0, c.tL, c.tT})
            p.drawLine(QPointF(time.map(t), upper.top()), QPointF(time.map(t), upper.bottom()));
        // The tangent, a little beyond the two levels it joins.
        const double over = (c.tT - c.tL) * 0.15;
        const double t1 = c.tL - over, t2 = c.tT + over;
        p.setPen(QPen(kTangent, 1.5, Qt::DashLine));
        p.drawLine(QPointF(time.map(t1), pvAxis.map(c.pvSteep + c.slope * (t1 - c.tSteep))),
                   QPointF(time.map(t2), pvAxis.map(c.pvSteep + c.slope * (t2 - c.tSteep))));
        p.setBrush(kTangent);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(time.map(c.tSteep), pvAxis.map(c.pvSteep)), 3.5, 3.5);
        p.setBrush(Qt::NoBrush);
    }
    p.setPen(QPen(kMeasured, 2.5));
    polyline(mT, mPv, pvAxis);
    for (const Curve& c : mCurves) {
        p.setPen(QPen(c.colour, 1.5));
        polyline(c.t, c.y, pvAxis);
    }
    p.restore();

    p.save();
    p.setClipRect(lower);
    p.setPen(QPen(kMvColour, 2));
    QPainterPath mvPath; // MV holds between samples: a staircase
    for (std::size_t i = 0; i < mT.size(); ++i) {
        const QPointF pt(time.map(mT[i]), mvAxis.map(mMv[i]));
        if (i == 0)
            mvPath.moveTo(pt);
        else
            mvPath.lineTo(QPointF(pt.x(), mvPath.currentPosition().y())), mvPath.lineTo(pt);
    }
    p.drawPath(mvPath);
    p.restore();

    // L and T marked on the time axis under the PV strip, from the MV step.
    if (mTangent) {
        const tuning::TangentConstruction& c = *mTangent;
        const double y = upper.bottom() + gap / 2.0;
        auto span = [&](double a, double b, const QString& name) {
            const double x1 = time.map(a), x2 = time.map(b);
            p.setPen(QPen(kTangent, 1.2));
            p.drawLine(QPointF(x1, y), QPointF(x2, y));
            p.drawLine(QPointF(x1, y - 4), QPointF(x1, y + 4));
            p.drawLine(QPointF(x2, y - 4), QPointF(x2, y + 4));
            const int w = fm.horizontalAdvance(name) + 6;
            const QRectF box((x1 + x2) / 2 - w / 2.0, y - lineH / 2.0, w, lineH);
            p.fillRect(box, Qt::white);
            p.drawText(box, Qt::AlignCenter, name);
        };
        span(c.t0, c.tL, "L");
        span(c.tL, c.tT, "T");
    }

    titleStrip(upper, mOutput + " %");
    titleStrip(lower, mInput + " %");

    // The legend along the top.
    int x = left;
    auto legend = [&](QColor colour, const QString& name, Qt::PenStyle style = Qt::SolidLine) {
        p.setPen(QPen(colour, 2.5, style));
        p.drawLine(QPointF(x, top - lineH / 2.0 - 3), QPointF(x + 22, top - lineH / 2.0 - 3));
        p.setPen(Qt::black);
        p.drawText(QPoint(x + 26, top - 8), name);
        x += 40 + fm.horizontalAdvance(name);
    };
    legend(kMeasured, tr("%1（実測）").arg(mOutput));
    for (const Curve& c : mCurves)
        legend(c.colour, c.name);
    if (mTangent)
        legend(kTangent, tr("接線"), Qt::DashLine);
    legend(kMvColour, mInput);
}

// --- The part ------------------------------------------------------------------------------------

IdentifyPart::IdentifyPart(const RunStore& store, QWidget* parent) : QWidget(parent), mStore(store) {
    setObjectName("identifyPart");
    mRuns = new QComboBox(this);
    mRuns->setObjectName("cboRun");
    mRuns->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(mRuns, &QComboBox::currentIndexChanged, this, [this] { showRun(); });

    mSignals = new QComboBox(this);
    mSignals->setObjectName("cboSignals");
    mSignals->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    mSignals->setToolTip(tr("カスケード制御は内側ループから調整します: まず PV2 ← MV で二次調節計を、"
                            "次に内側ループを閉じたランの PV ← SV2 で主調節計を。"));
    connect(mSignals, &QComboBox::currentIndexChanged, this, [this] { showRun(); });
    mSignalsLabel = new QLabel(tr("信号:"), this);

    mChart = new StepTestChart(this);

    mTable = new QTableWidget(4, 5, this);
    mTable->setObjectName("methods");
    mTable->setHorizontalHeaderLabels({"K", "L s", "T s", "RMS %", ""});
    mTable->setVerticalHeaderLabels({tr("接線法"), tr("2点法"), tr("最小二乗法"), tr("閉ループ")});
    mTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mTable->setSelectionMode(QAbstractItemView::NoSelection);
    mTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    mTable->horizontalHeader()->setSectionResizeMode(4, QHeaderView::ResizeToContents);
    mTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    mTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mTable->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    mTable->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    const QColor colours[4] = {kTangent, kTwoPoint, kLeastSquares, kClosedLoop};
    for (int r = 0; r < 4; ++r) {
        mTable->verticalHeaderItem(r)->setForeground(colours[r]);
        for (int c = 0; c < 4; ++c) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            mTable->setItem(r, c, cell);
        }
        auto* adopt = new QPushButton(tr("採用"), mTable);
        adopt->setObjectName(QString("cmdAdopt%1").arg(r));
        adopt->setToolTip(tr("このモデルを調整に使うモデルにします。"));
        connect(adopt, &QPushButton::clicked, this, [this, r] {
            if (!mResult)
                return;
            if (r == 3) {
                if (mClosedLoop)
                    emit modelAdopted(mClosedLoop->model.K, mClosedLoop->model.L, mClosedLoop->model.T);
                return;
            }
            const std::optional<tuning::Fopdt>& m = r == 0   ? mResult->tangent
                                                    : r == 1 ? mResult->twoPoint
                                                             : mResult->leastSquares;
            if (m)
                emit modelAdopted(m->K, m->L, m->T);
        });
        mTable->setCellWidget(r, 4, adopt);
    }

    mError = new QLabel(this);
    mError->setObjectName("lblIdentifyError");
    mError->setWordWrap(true);
    mError->setStyleSheet("color: #b00000;");
    mError->hide();

    mFitClosedLoop = new QPushButton(tr("閉ループで当てはめ"), this);
    mFitClosedLoop->setObjectName("cmdFitClosedLoop");
    mFitClosedLoop->setToolTip(tr("ランの調節計（種類・形式・パラメータ・リミット）と SV・DV のまま閉ループを"
                                  "走らせ直し、PV が最もよく合う K, L, T を求めます。"));
    connect(mFitClosedLoop, &QPushButton::clicked, this, [this] { fitClosedLoop(); });

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("ステップ試験のラン:"), this));
    row->addWidget(mRuns);
    row->addSpacing(12);
    row->addWidget(mSignalsLabel);
    row->addWidget(mSignals);
    row->addStretch(1);
    row->addWidget(mFitClosedLoop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(mChart, 1);
    layout->addWidget(mTable);
    layout->addWidget(mError);
    refreshRuns();
}

tuning::Signals IdentifyPart::signalPair() const {
    const int i = mSignals->currentData().toInt();
    return i >= 0 && i < static_cast<int>(std::size(kSignalChoices)) ? kSignalChoices[i].pair
                                                                     : tuning::Signals{};
}

void IdentifyPart::offerSignals(const KeptRun* run) {
    const tuning::Signals chosen = signalPair();
    const QSignalBlocker quiet(mSignals);
    mSignals->clear();
    for (int i = 0; i < static_cast<int>(std::size(kSignalChoices)); ++i) {
        const tuning::Signals& pair = kSignalChoices[i].pair;
        if (i == 0 || (run && channelInUse(*run, pair.input) && channelInUse(*run, pair.output)))
            mSignals->addItem(tr(kSignalChoices[i].caption), i);
        if (pair == chosen)
            mSignals->setCurrentIndex(mSignals->count() - 1);
    }
    // A single loop's run has only its PV and MV: nothing to choose.
    mSignals->setVisible(mSignals->count() > 1);
    mSignalsLabel->setVisible(mSignals->count() > 1);
}

void IdentifyPart::showEvent(QShowEvent* event) {
    // Runs imported in the analysis window reach the store without a word to this part.
    if (mStore.revision() != mRevision)
        refreshRuns();
    QWidget::showEvent(event);
}

void IdentifyPart::refreshRuns() {
    mRevision = mStore.revision();
    const int chosen = mRuns->currentData().toInt();
    const int newest = mStore.runs().empty() ? 0 : mStore.runs().back().number;
    {
        const QSignalBlocker quiet(mRuns);
        mRuns->clear();
        // Newest first: the run just kept is the one a learner wants.
        for (auto it = mStore.runs().rbegin(); it != mStore.runs().rend(); ++it)
            mRuns->addItem(tr("ラン %1  %2").arg(it->number).arg(qtext(it->label)), it->number);
        const int keep = newest != mNewest ? newest : chosen;
        mRuns->setCurrentIndex(std::max(0, mRuns->findData(keep)));
    }
    mNewest = newest;
    showRun();
}

void IdentifyPart::selectRun(int number) {
    if (const int i = mRuns->findData(number); i >= 0)
        mRuns->setCurrentIndex(i);
}

bool IdentifyPart::fitClosedLoop() {
    const KeptRun* run = mStore.find(mRuns->currentData().toInt());
    if (!run || !mResult || !mResult->leastSquares || signalPair() != tuning::Signals{})
        return false;
    std::string error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto fit = tuning::fitClosedLoop(*run, *mResult->leastSquares, error);
    QApplication::restoreOverrideCursor();
    if (!fit) {
        mError->setText(tr("閉ループの当てはめ: %1").arg(qtext(error)));
        mError->show();
        return false;
    }
    mClosedLoop = std::move(fit);
    mClosedLoopRun = run->number;
    showRun();
    return true;
}

void IdentifyPart::showRun() {
    mResult.reset();
    const KeptRun* run = mStore.find(mRuns->currentData().toInt());
    offerSignals(run);
    const tuning::Signals pair = signalPair();
    mChart->setNames(channelName(pair.output), channelName(pair.input));
    if (!run || run->number != mClosedLoopRun || pair != tuning::Signals{})
        mClosedLoop.reset();
    // The closed loop can be run again only with its controller known: a closed-loop run of this
    // program with every step kept, read from its PV and MV.
    mFitClosedLoop->setVisible(run && !run->steps.empty() && run->params.FB != 0 &&
                               run->params.mode() != Mode::Manual && run->source.empty() &&
                               pair == tuning::Signals{});
    if (!run) {
        mChart->clear();
        mTable->hide();
        mError->setText(
            tr("ランがありません。プロセスの MV をステップ状に変えたラン（開ループのステップ試験）を"
               "実行すると、ここで選べます。"));
        mError->show();
        return;
    }
    std::vector<double> t, mv, pv;
    tuning::runSeries(*run, t, mv, pv, pair);
    std::string error;
    // A tank's level does not settle after a step: the first-order model does not describe it.
    // The inner part of a two-part process is first order whatever the outer part is.
    if (run->params.processType() == ProcessType::Integrating && pair.output == Channel::PV)
        error = tr("積分プロセス（タンク）のランでは PV "
                   "が落ち着かないので、一次遅れ＋無駄時間のモデルは求まりません"
                   "（K は PV の傾き ÷ MV の変化、% / s / %）。")
                    .toStdString();
    mResult = error.empty() ? tuning::identify(*run, error, pair) : std::nullopt;
    if (!mResult) {
        mChart->setData(t, pv, mv, {}, std::nullopt);
        mTable->hide();
        mError->setText(tr("このランからはモデルを同定できません: %1").arg(qtext(error)));
        mError->show();
        return;
    }
    const tuning::Identification& id = *mResult;
    std::vector<StepTestChart::Curve> curves;
    if (id.tangent)
        curves.push_back(modelCurve(tr("接線法"), kTangent, *id.tangent, t, mv, id.tangentLine.pv0, run->dt));
    if (id.twoPoint)
        curves.push_back(
            modelCurve(tr("2点法"), kTwoPoint, *id.twoPoint, t, mv, id.tangentLine.pv0, run->dt));
    if (id.leastSquares) {
        StepTestChart::Curve c{tr("最小二乗法"), kLeastSquares, {}, id.fitted};
        for (std::size_t i = 0; i < id.fitted.size() && id.fittedFrom + i < t.size(); ++i)
            c.t.push_back(t[id.fittedFrom + i]);
        curves.push_back(std::move(c));
    }
    if (mClosedLoop) {
        StepTestChart::Curve c{tr("閉ループ"), kClosedLoop, {}, mClosedLoop->fitted};
        for (const StepSample& s : run->steps)
            c.t.push_back(s.t);
        c.t.resize(c.y.size());
        curves.push_back(std::move(c));
    }
    mChart->setData(t, pv, mv, std::move(curves), id.tangent ? std::optional(id.tangentLine) : std::nullopt);

    const std::optional<tuning::Fopdt> closed =
        mClosedLoop ? std::optional(mClosedLoop->model) : std::optional<tuning::Fopdt>();
    const std::optional<tuning::Fopdt>* models[4] = {&id.tangent, &id.twoPoint, &id.leastSquares, &closed};
    for (int r = 0; r < 4; ++r) {
        const std::optional<tuning::Fopdt>& m = *models[r];
        mTable->item(r, 0)->setText(m ? number(m->K) : "—");
        mTable->item(r, 1)->setText(m ? number(m->L) : "—");
        mTable->item(r, 2)->setText(m ? number(m->T) : "—");
        const double rms = r == 3 && mClosedLoop ? mClosedLoop->rms : id.rms;
        mTable->item(r, 3)->setText(r >= 2 && m ? QString::number(rms, 'f', 3) : "—");
        mTable->cellWidget(r, 4)->setEnabled(m.has_value());
    }
    mTable->setRowHidden(3, mFitClosedLoop->isHidden());
    mError->hide();
    mTable->show();
}

} // namespace kestrel
