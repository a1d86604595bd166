#include "forms/runexport.h"

#include "forms/analysischart.h"
#include "widgets/picturebox.h"
#include "widgets/qtext.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QSvgGenerator>

#include <algorithm>

namespace kestrel {

namespace {

const QString kNone = "—";

// The texts of the run analysis's files and table, in the learner's language.
struct RunExport {
    Q_DECLARE_TR_FUNCTIONS(RunExport)
};

QString num(double v) {
    return QString::number(v, 'f', 3);
}

QString cannotWrite(const QString& path) {
    return RunExport::tr("ファイルに書き込めませんでした。\n%1").arg(path);
}

/// The report's page: painter units are pixels at 96 dots per inch, so fonts and the chart's
/// own sizes come out as on the screen, while the PDF keeps the lines as vectors.
constexpr int kReportDpi = 96;

class ReportWriter {
public:
    ReportWriter(QPrinter& printer, QPainter& p, const QDateTime& printed)
        : mPrinter(printer), mP(p), mPrinted(printed) {
        const QRectF page = printer.pageLayout().paintRectPixels(kReportDpi);
        mWidth = page.width();
        mBottom = page.height() - 24; // the footer's room
    }

    void text(const QString& s, double pointSize, bool bold = false, double indent = 0) {
        QFont f("IPAPGothic");
        f.setPointSizeF(pointSize);
        f.setBold(bold);
        mP.setFont(f);
        const QRectF room(indent, 0, mWidth - indent, 1000);
        const QRectF need = mP.boundingRect(room, Qt::TextWordWrap, s);
        ensure(need.height() + 2);
        mP.setPen(Qt::black);
        mP.drawText(room.translated(0, mY), Qt::TextWordWrap, s);
        mY += need.height() + 2;
    }

    void swatchLine(const QColor& c, const QString& s) {
        ensure(16);
        mP.fillRect(QRectF(0, mY + 3, 10, 10), c);
        mP.setPen(Qt::gray);
        mP.drawRect(QRectF(0, mY + 3, 10, 10));
        const double before = mY;
        text(s, 9, true, 16);
        mY = std::max(mY, before + 16);
    }

    void chart(const AnalysisChart& chart) {
        const double h = mWidth * 0.55;
        ensure(h + 8);
        chart.render(mP, QRectF(0, mY + 4, mWidth, h), true);
        mY += h + 12;
    }

    /// A table: the header row shaded, the first column (the run) narrow.
    void table(const QStringList& headers, const std::vector<QStringList>& rows) {
        QFont f("IPAPGothic");
        f.setPointSizeF(7.5);
        mP.setFont(f);
        const double rowH = QFontMetricsF(f).height() + 6;
        const double first = 48;
        const double w = (mWidth - first) / std::max<qsizetype>(headers.size() - 1, 1);
        auto row = [&](const QStringList& cells, bool head) {
            ensure(rowH);
            mP.setFont(f);
            for (int i = 0; i < cells.size(); ++i) {
                const QRectF cell(i == 0 ? 0 : first + (i - 1) * w, mY, i == 0 ? first : w, rowH);
                if (head)
                    mP.fillRect(cell, QColor(230, 230, 230));
                mP.setPen(Qt::gray);
                mP.drawRect(cell);
                mP.setPen(Qt::black);
                mP.drawText(cell.adjusted(3, 0, -3, 0),
                            Qt::AlignVCenter | (i == 0 || head ? Qt::AlignLeft : Qt::AlignRight), cells[i]);
            }
            mY += rowH;
        };
        row(headers, true);
        for (const QStringList& r : rows)
            row(r, false);
        mY += 10;
    }

    void finish() { footer(); }

private:
    void ensure(double height) {
        if (mY + height <= mBottom || mY == 0)
            return;
        footer();
        mPrinter.newPage();
        mY = 0;
    }
    void footer() {
        QFont f("IPAPGothic");
        f.setPointSizeF(8);
        mP.setFont(f);
        mP.setPen(Qt::black);
        mP.drawText(QRectF(0, mBottom + 6, mWidth, 18), Qt::AlignRight | Qt::AlignVCenter,
                    RunExport::tr("印刷日時 %1").arg(mPrinted.toString("yyyy-MM-dd HH:mm:ss")));
    }

    QPrinter& mPrinter;
    QPainter& mP;
    QDateTime mPrinted;
    double mWidth = 0, mBottom = 0, mY = 0;
};

} // namespace

QString runTitle(const KeptRun& run) {
    const QString name = RunExport::tr("ラン %1").arg(run.number);
    const QString label = qtext(run.label);
    return label.startsWith(name + " ") ? label : RunExport::tr("%1　%2").arg(name, label);
}

QStringList metricsHeaders() {
    return {"IAE",
            "ISE",
            "ITAE",
            RunExport::tr("MV移動量"),
            RunExport::tr("制限時間"),
            RunExport::tr("オフセット"),
            RunExport::tr("SVステップ時刻"),
            RunExport::tr("ステップ幅"),
            RunExport::tr("オーバーシュート %"),
            RunExport::tr("立上り時間"),
            RunExport::tr("整定時間"),
            RunExport::tr("ピーク時間"),
            RunExport::tr("DVステップ時刻"),
            RunExport::tr("最大偏差"),
            RunExport::tr("その時刻")};
}

QStringList metricsCells(const KeptRun& run) {
    const RunMetrics& m = run.metrics;
    QStringList cells{num(m.iae),      num(m.ise),         num(m.itae),
                      num(m.mvTravel), num(m.timeAtLimit), num(m.offset)};
    if (const auto& s = m.svStep)
        cells << num(s->t0) << num(s->size) << num(s->overshootPct) << num(s->riseTime)
              << (s->settlingTime ? num(*s->settlingTime) : RunExport::tr("整定せず")) << num(s->peakTime);
    else
        cells << kNone << kNone << kNone << kNone << kNone << kNone;
    if (const auto& d = m.dvStep)
        cells << num(d->t0) << num(d->peakDeviation) << num(d->peakTime);
    else
        cells << kNone << kNone << kNone;
    return cells;
}

bool writeChartImage(const AnalysisChart& chart, QString& path, QSize size, QString& error) {
    if (QFileInfo(path).suffix().isEmpty())
        path += ".png";
    const QRectF area(QPointF(0, 0), QSizeF(size));
    if (QFileInfo(path).suffix().compare("svg", Qt::CaseInsensitive) == 0) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            error = cannotWrite(path);
            return false;
        }
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(area);
        svg.setTitle(RunExport::tr("Kestrel 解析"));
        QPainter p(&svg);
        chart.render(p, area, true);
        p.end();
        if (file.error() != QFileDevice::NoError) {
            error = cannotWrite(path);
            return false;
        }
        return true;
    }
    QImage image(size, QImage::Format_RGB32);
    {
        QPainter p(&image);
        chart.render(p, area, true);
    }
    if (!image.save(path, "PNG")) {
        error = cannotWrite(path);
        return false;
    }
    return true;
}

QString reportTitle(const std::vector<const KeptRun*>& runs) {
    if (runs.empty())
        return RunExport::tr("ラン解析");
    // Runs of one lesson or project name it and their steps ("手順", as the lesson calls them);
    // anything else is named by its first run.
    const KeptRun& first = *runs.front();
    QStringList steps;
    for (const KeptRun* r : runs) {
        if (r->lesson != first.lesson || r->step <= 0)
            return runs.size() == 1 ? qtext(first.label) : RunExport::tr("ラン解析");
        if (!steps.contains(QString::number(r->step)))
            steps << QString::number(r->step);
    }
    return RunExport::tr("%1　手順 %2")
        .arg(QFileInfo(qtext(first.lesson)).completeBaseName(), steps.join("・"));
}

bool writeRunReport(const AnalysisChart& chart, const QString& path, const QDateTime& printed,
                    QString& error) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(kReportDpi);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    printer.setDocName(RunExport::tr("Kestrel 解析レポート"));
    printer.setCreator("Kestrel");
    QPainter p;
    if (!p.begin(&printer)) {
        error = cannotWrite(path);
        return false;
    }
    const auto& runs = chart.runs();
    ReportWriter w(printer, p, printed);
    w.text(reportTitle(runs), 14, true);
    w.text(RunExport::tr("ラン解析レポート（%1 ラン）").arg(runs.size()), 9);
    for (const KeptRun* run : runs) {
        w.swatchLine(toQColor(run->pens[1]), runTitle(*run));
        w.text(qtext(settingsSummary(*run)), 8.5, false, 16);
    }
    w.chart(chart);

    const QStringList headers = metricsHeaders();
    std::vector<QStringList> cells;
    for (const KeptRun* run : runs)
        cells.push_back(metricsCells(*run));
    auto part = [&](int from, int count) {
        std::vector<QStringList> rows;
        for (std::size_t i = 0; i < runs.size(); ++i)
            rows.push_back(QStringList{RunExport::tr("ラン %1").arg(runs[i]->number)} +
                           cells[i].mid(from, count));
        w.table(QStringList{RunExport::tr("ラン")} + headers.mid(from, count), rows);
    };
    part(0, 6);
    part(6, 6);
    part(12, 3);
    w.finish();
    if (!p.end() || printer.printerState() == QPrinter::Error) {
        error = cannotWrite(path);
        return false;
    }
    return true;
}

} // namespace kestrel
