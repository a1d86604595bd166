#pragma once
// The learner's best score and number of attempts per challenge, kept in a small profile file
// (Challenge.ini) in a writable folder: the application folder today, the user's own folder once
// the program is installed for several users. A missing or damaged file, or a damaged entry, reads
// as no score; it never stops the challenges.

#include <filesystem>
#include <optional>
#include <string>

namespace kestrel::challenge {

class ScoreBook {
public:
    explicit ScoreBook(std::filesystem::path folder) : mFolder(std::move(folder)) {}

    std::filesystem::path file() const { return mFolder / "Challenge.ini"; }

    struct Entry {
        std::optional<double> best; ///< 0..100; none before the first scored attempt
        int attempts = 0;
    };
    /// The entry of the challenge `id` (its file name).
    Entry entry(const std::string& id) const;
    /// One more attempt scoring `score`; the best kept. False when the file could not be written
    /// (the book stays as it was).
    bool record(const std::string& id, double score);

private:
    std::filesystem::path mFolder;
};

} // namespace kestrel::challenge
