// However the learner arrives at an annotated step, its run is the one the book shows: fresh, back
// from the lesson's end with "戻る", after another lesson (walked through, ended with "いいえ" to
// keep its parameters, or only one of its steps taken), the run is the same sample for sample.

#include "sim/replay.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace kestrel;

namespace {

/// A lesson of the Study folder: its running steps and the fresh runs of its annotated ones.
struct Lesson {
    std::string file;
    int last = 0;
    std::vector<int> running;
    std::vector<RunRecord> annotated;
};

class LessonArrival : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sFolder = std::make_unique<test::TempFolder>("kestrel-arrival");
        fs::copy_file(fs::path(KESTREL_DATA_DIR) / "Kestrel.ini", sFolder->path() / "Kestrel.ini");
        fs::copy(fs::path(KESTREL_DATA_DIR) / "Study", sFolder->path() / "Study");
        // Every lesson file, those added later included: all but the base set and the template.
        for (const std::string& name : test::namesIn(sFolder->path() / "Study")) {
            if (name == "ParaInz.txt" || name == "BASE.txt")
                continue;
            Lesson lesson{name, 0, {}, {}};
            auto replay = start(name);
            lesson.last = replay->lastStep();
            for (RunRecord& run : replay->run(lesson.last, true)) {
                lesson.running.push_back(run.step);
                if (!run.figure.empty())
                    lesson.annotated.push_back(std::move(run));
            }
            sLessons.push_back(std::move(lesson));
        }
    }
    static void TearDownTestSuite() { sFolder.reset(); }

    /// The program started with `file` open, as the study menu opens it.
    static std::unique_ptr<Replay> start(const std::string& file) {
        auto replay = std::make_unique<Replay>(sFolder->path());
        replay->open(path(file), false);
        return replay;
    }
    static fs::path path(const std::string& file) { return sFolder->path() / "Study" / file; }

    /// "次へ" or "戻る" to `step`, then the step taken.
    static RunRecord takeStep(Replay& replay, int step) {
        auto& session = replay.session();
        while (replay.state().study.StepNo < step)
            session.nextStep();
        while (replay.state().study.StepNo > step)
            session.previousStep();
        auto run = replay.takeStep();
        EXPECT_TRUE(run.has_value());
        return run.value_or(RunRecord{});
    }

    /// The annotated step's run after `arrive` has led the learner to it: from the lesson opened
    /// again, or (`reopen` false) with "戻る" from where `arrive` left the lesson.
    template <class Arrival>
    static void expectTheBooksRun(const Lesson& lesson, const RunRecord& fresh, Arrival&& arrive,
                                  bool reopen = true) {
        auto replay = start(lesson.file);
        arrive(*replay);
        if (reopen)
            replay->open(path(lesson.file), false);
        ++sPaths;
        const RunRecord run = takeStep(*replay, fresh.step);
        EXPECT_TRUE(run.rows == fresh.rows && run.graphTime == fresh.graphTime &&
                    run.rangeHigh == fresh.rangeHigh && run.rangeLow == fresh.rangeLow &&
                    run.dvOffset == fresh.dvOffset)
            << run.rows.size() << " samples against " << fresh.rows.size();
    }

    static inline std::unique_ptr<test::TempFolder> sFolder;
    static inline std::vector<Lesson> sLessons;
    static inline int sPaths = 0;
};

TEST_F(LessonArrival, EveryAnnotatedStepRunsAsFreshWhateverCameBefore) {
    ASSERT_GE(sLessons.size(), 10u);
    ::testing::internal::CaptureStderr(); // the questions the replay answers
    for (const Lesson& lesson : sLessons) {
        for (const RunRecord& fresh : lesson.annotated) {
            SCOPED_TRACE(lesson.file + " step " + std::to_string(fresh.step) + " (" + fresh.figure + ")");
            {
                SCOPED_TRACE("back from the lesson's end");
                expectTheBooksRun(
                    lesson, fresh, [&](Replay& r) { r.run(lesson.last, false); }, false);
            }
            for (const Lesson& before : sLessons) {
                if (before.file == lesson.file)
                    continue;
                SCOPED_TRACE("after " + before.file);
                auto walkThrough = [&](Replay& r) {
                    r.open(path(before.file), false);
                    r.run(before.last, false);
                };
                expectTheBooksRun(lesson, fresh, walkThrough);
                expectTheBooksRun(lesson, fresh, [&](Replay& r) {
                    walkThrough(r);
                    r.messages().answerQuestions(false); // "いいえ": the parameters are kept
                    while (r.state().study.StepNo <= before.last)
                        r.session().nextStep();
                    r.session().endLesson();
                    r.messages().answerQuestions(true);
                });
                for (int step : before.running) {
                    SCOPED_TRACE("only its step " + std::to_string(step));
                    expectTheBooksRun(lesson, fresh, [&](Replay& r) {
                        r.open(path(before.file), false);
                        takeStep(r, step);
                    });
                }
            }
        }
    }
    ::testing::internal::GetCapturedStderr();
    RecordProperty("paths", sPaths);
}

} // namespace
