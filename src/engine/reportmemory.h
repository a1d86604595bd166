#pragma once
// The report memory: which procedure has already reported which run-time error, so a fault met at
// every step, tick or sample is reported once instead of in a modal box at each of them.

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace kestrel {

/// The errors reported so far, as pairs of procedure code ("  P051") and error number.
///
/// A procedure that runs per step, per tick or per sample reports each of its errors once; later
/// occurrences pass silently. Start and Clear forget everything, so each run reports its faults
/// once; applying a setting forgets too, so a setting corrected and then broken again is
/// reported again.
class ReportMemory {
public:
    /// True when `code` has not reported `number` yet; from now on it counts as reported.
    bool firstReport(const std::string& code, int number) {
        const auto entry = std::make_pair(code, number);
        if (std::find(mReported.begin(), mReported.end(), entry) != mReported.end())
            return false;
        mReported.push_back(entry);
        return true;
    }

    /// Every procedure reports again.
    void forget() { mReported.clear(); }
    /// The procedure with this code reports again.
    void forget(const std::string& code) {
        mReported.erase(std::remove_if(mReported.begin(), mReported.end(),
                                       [&](const auto& entry) { return entry.first == code; }),
                        mReported.end());
    }

private:
    std::vector<std::pair<std::string, int>> mReported;
};

} // namespace kestrel
