// libFuzzer target: any bytes read as a run CSV. Nothing may crash; a file that is accepted holds
// only finite numbers and reads back the same after it is written again.

#include "analysis/runcsv.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

using namespace kestrel;

namespace {

bool finite(const KeptRun& r) {
    for (const auto& channel : r.values)
        for (double v : channel)
            if (!std::isfinite(v))
                return false;
    for (double v : r.time)
        if (!std::isfinite(v))
            return false;
    return std::isfinite(r.dt) && std::isfinite(r.metrics.iae) && std::isfinite(r.metrics.itae);
}

std::string written(const std::vector<KeptRun>& runs) {
    std::vector<const KeptRun*> all;
    for (const KeptRun& r : runs)
        all.push_back(&r);
    std::ostringstream out;
    writeRunsCsv(out, all);
    return out.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::string error;
    const std::vector<KeptRun> runs = readRunsCsv(in, "fuzz.csv", error);
    if (runs.empty())
        return 0;
    for (const KeptRun& r : runs)
        if (!finite(r))
            std::abort();
    // Written and read again, the runs must give the same file.
    const std::string once = written(runs);
    std::istringstream again(once);
    const std::vector<KeptRun> back = readRunsCsv(again, "fuzz.csv", error);
    if (back.size() != runs.size() || written(back) != once)
        std::abort();
    return 0;
}
