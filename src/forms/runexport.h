#pragma once
// Hard copies of the analysis: the chart as a PNG or SVG image and a one-page PDF report (A4
// portrait) with the settings, the chart and the measures of the runs drawn; and the measures of
// a run as the metrics table and the report write them.

#include "analysis/runstore.h"

#include <QDateTime>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

namespace kestrel {

class AnalysisChart;

/// "ラン n" and the run's label, the number once (a run's own label starts with it).
QString runTitle(const KeptRun& run);

/// Column titles of the measures: IAE .. その時刻 (without the run's own column).
QStringList metricsHeaders();
/// The measures of a run as text, one per header: three decimals, "整定せず" for a settling
/// time not reached, "—" for a step the run does not have.
QStringList metricsCells(const KeptRun& run);

/// Writes the chart at `size` pixels: SVG when the path ends in ".svg", PNG otherwise (a ".png"
/// is added when the name has no suffix). False with `error` set when the file cannot be written.
bool writeChartImage(const AnalysisChart& chart, QString& path, QSize size, QString& error);

/// The title line of a report: the lesson file's base name and the steps ("手順 1・2") when every
/// run is a step of one lesson; otherwise a single run's label, or "ラン解析".
QString reportTitle(const std::vector<const KeptRun*>& runs);

/// Writes the report as a PDF: title, each run's settings in words, the chart (with its cursor),
/// the measures of the runs and the time of printing. False with `error` set on failure.
bool writeRunReport(const AnalysisChart& chart, const QString& path, const QDateTime& printed,
                    QString& error);

} // namespace kestrel
