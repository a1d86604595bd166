#include "challenge/scorebook.h"

#include "core/vbformat.h"
#include "setup/modinifile.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace kestrel::challenge {

namespace {

std::optional<double> storedNumber(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (*end != '\0' || errno == ERANGE || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

ScoreBook::Entry ScoreBook::entry(const std::string& id) const {
    Entry e;
    const auto snapshot = ReadProfile(file());
    if (const auto best = storedNumber(snapshot->value(id, "BEST")); best && *best >= 0 && *best <= 100)
        e.best = *best;
    if (const auto n = storedNumber(snapshot->value(id, "ATTEMPTS"));
        n && *n >= 0 && *n <= INT_MAX && *n == std::floor(*n))
        e.attempts = static_cast<int>(*n);
    return e;
}

bool ScoreBook::record(const std::string& id, double score) {
    if (!std::isfinite(score))
        return false;
    const Entry e = entry(id);
    const double best = e.best ? std::max(*e.best, score) : score;
    const int attempts = e.attempts < INT_MAX ? e.attempts + 1 : e.attempts;
    std::error_code ec; // the learner's folder may not hold a scores folder yet
    std::filesystem::create_directories(mFolder, ec);
    return WriteProfileValues(file(),
                              {{id, "BEST", shortestText(best)}, {id, "ATTEMPTS", std::to_string(attempts)}});
}

} // namespace kestrel::challenge
