#include "engine/programs.h"

#include "core/convert.h"

namespace kestrel {

std::optional<double> evaluateProgram(const ProgramTexts& values, const ProgramTexts& times, float t,
                                      ErrorTrap& trap) {
    int i = 0;
    bool ended = false;
    for (; i <= 8; ++i) {
        if (trim(times[i]).empty()) {
            if (i > 0)
                --i;
            ended = true;
            break;
        }
        // A time that does not convert is reported and then treated as lying beyond t.
        bool beyond = true;
        trap([&] { beyond = toSingle(times[i]) > t; });
        if (trap.ended())
            return std::nullopt;
        if (beyond) {
            if (i > 0)
                --i;
            break;
        }
    }
    if (i > 8)
        i = 8;

    std::optional<double> result;
    trap([&] {
        if (ended || i == 8) {
            result = checkFinite(val(values[i]));
            return;
        }
        const double t0 = val(times[i]);
        const double t1 = val(times[i + 1]);
        const double v0 = val(values[i]);
        const double v1 = val(values[i + 1]);
        if (t1 == t0) {
            result = checkFinite(v1);
            return;
        }
        const double slope = checkFinite((v1 - v0) / (t1 - t0));
        const double offset = checkFinite(v0 - slope * t0);
        result = checkFinite(t * slope + offset);
    });
    return result;
}

} // namespace kestrel
