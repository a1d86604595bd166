#pragma once
// Kept runs to and from CSV files: the columns kestrel-sim writes, with a block of `#` lines per
// run giving its label, settings and measures, so a learner can compare today's run with one
// saved last week.

#include "analysis/runstore.h"

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

/// Writes `runs` as one CSV, UTF-8 with LF line ends, every number in the shortest form that
/// reads back to the same double. First, for each run, a header block of `#` lines:
///
///     # Kestrel run 3                            the run's number (its place when numbers repeat)
///     # label: 比例動作 Kp=2
///     # lesson: Study/C0501071.txt step 2        only for a lesson or project step's run
///     # started: 2026-12-07 05:01:02             only when known
///     # settings: 偏差ＰＩＤ制御 速度型 Kp 2 …   settingsSummary, for people (not read back)
///     # params: TYPE_SELECT=2 CALC_TYPE=1 MODE=1 PROC_TYPE=0 FB=-1 dt=0.1 Kp=2 Ti=10 … Lf=0
///               PV_NOISE=0 NOISE_SEED=1 PV_FILTER=0 VALVE_DB=0 … VALVE_T=0 Tpl2=0 LOOP=1
///               TYPE2=1 CALC2=1 Kp2=2 Ti2=1 Td2=0 MH2=100 ML2=0 dML2=100 MODE2=2 Kin=2
///               Tin=3 Lin=0.5 Kdin=1 Tdin=2                                   (one line)
///     # process: hidden                          only for a run whose process a challenge hid;
///                                                its params then leave out Kpl, Tpl, Lpl,
///                                                PROC_TYPE, Tpl2, the valve keys and Kin, Tin, Lin
///     # sv_program: 50@0 60@10                   value@time points; ' ', '@', '%' as %20 %40 %25
///     # dv_program: 0@0
///     # chart: RH=100 RL=0 TM=50 MVH=100 MVL=0 graph=1
///     # dt: 0.1                                  the control period of the run, s
///     # metrics: IAE=… ISE=… ITAE=… mv_travel=… time_at_limit=… offset=…
///     # sv_step: t0=… size=… pv_change=… overshoot_pct=… rise_time=… settling_time=…|none peak_time=…
///     # dv_step: t0=… peak_deviation=… peak_time=…
///
/// (`# sv_step: none`, `# dv_step: none` when the run has no such change). Then the column line
/// `time,SV,PV,DV,MV,E,P,I,D,FF,KdDV,DS,PVtrue,VALVE,SV2,PV2,P2,I2,D2` (PVtrue the process output
/// before the sensor, VALVE the valve position, SV2 … D2 the inner loop of a two-part process:
/// the secondary's set-point, PV2 and its terms) and one row per recorded sample. A signal the
/// loop has not is an empty cell in the inner loop's columns: all five on a single loop, SV2 and
/// the terms without a secondary, I2 and D2 of a P secondary. With more than one run
/// a first column `run` holds the number of the header block the row belongs to, and the rows of
/// all runs follow the one column line — the shape of kestrel-sim's `--all` output. The runs'
/// values must be finite, as the step leaves them.
void writeRunsCsv(std::ostream& out, const std::vector<const KeptRun*>& runs);

/// Reads a CSV written by writeRunsCsv or by kestrel-sim (with or without its `run` column, with
/// or without header blocks; CR LF and a UTF-8 byte order mark tolerated) back into runs,
/// numbered 0 (the store numbers them when they are kept), the runs of the header blocks first.
/// Columns are found by name, numbers read whatever the locale; a file without the PVtrue and
/// VALVE columns (written before they were recorded) reads them as PV and MV, one without the
/// inner loop's columns as a run without the inner loop; an empty cell in those columns, or
/// −1000, is no signal (kNoSignal), and a run with PV2 or SV2 values gets its `inner` from them.
/// Of a run the file tells less:
/// label "<file base name> ラン n", default settings, dt the mean sample spacing, and measures
/// taken on its samples as if they were its steps. `source` is the path given. Empty, with
/// `error` set to a one-line Japanese reason naming the line (and column) where it can, when the
/// text is no such CSV: nothing in it, no column line or no rows, an unknown, missing or repeated column, a
/// cell that is no finite number, a row with too few or too many cells, time going back within
/// a run, a header value out of range, more than 1,000 runs or 100,000 rows, or a line longer than 64 KiB.
std::vector<KeptRun> readRunsCsv(std::istream& in, const std::string& source, std::string& error);

/// The channel of a column name as the column line writes it ("PV2", "KdDV"), none for another.
std::optional<Channel> columnChannel(std::string_view name);
/// The column name of a channel ("VALVE" for the valve position).
const char* columnName(Channel c);
/// The channels' column names in the order the column line writes them, after `time`.
std::string columnList(const char* separator);

} // namespace kestrel
