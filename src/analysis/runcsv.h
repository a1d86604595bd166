#pragma once
// Kept runs to and from CSV files: the columns kestrel-sim writes, with a block of `#` lines per
// run giving its label, settings and measures, so a learner can compare today's run with one
// saved last week.

#include "analysis/runstore.h"

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace kestrel {

/// Writes `runs` as one CSV: for each run a header block of `#` lines (label, settings, measures),
/// then the column line `time,SV,PV,DV,MV,E,P,I,D,FF,KdDV,DS` (with a first column `run` when
/// there is more than one run) and one row per recorded sample. UTF-8, LF line ends.
void writeRunsCsv(std::ostream& out, const std::vector<const KeptRun*>& runs);

/// Reads a CSV written by writeRunsCsv or by kestrel-sim (with or without its `run` column) back
/// into runs, numbered 0 (the store numbers them when they are kept). Empty, with `error` set to a
/// one-line reason, when the text is no such CSV.
std::vector<KeptRun> readRunsCsv(std::istream& in, const std::string& source, std::string& error);

} // namespace kestrel
