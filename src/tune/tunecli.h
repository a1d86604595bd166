#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrel::tuning {

/// Runs kestrel-tune with its arguments (without the program name); returns the exit status.
int runTuneCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace kestrel::tuning
