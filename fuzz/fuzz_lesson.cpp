// libFuzzer target: a lesson or project file's bytes, read, described, applied and run for a
// few steps. Nothing may crash, and the loop must never hold a NaN or an infinity.

#include "engine/appstate.h"
#include "engine/display.h"
#include "session/studysession.h"
#include "setup/controlloop.h"
#include "setup/headlesspanel.h"
#include "setup/modinifile.h"
#include "setup/setupdocument.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace kestrel;

namespace {

class QuietMessages : public MessageService {
public:
    void showMessage(const std::string&) override {}
    bool askYesNo(const std::string&) override { return true; }
    bool askRetryCancel(const std::string&) override { return true; }
    void beep() override {}
};

// The application folder of this process: a base set in Study/, the input written beside it.
// Removed when the process exits normally (the end of a fuzzing session); a crash leaves it for
// the post-mortem.
class FuzzAppDir {
public:
    FuzzAppDir() : mDir(fs::temp_directory_path() / ("kestrel-fuzz-" + std::to_string(::getpid()))) {
        fs::create_directories(mDir / "Study");
        const fs::path base = mDir / "Study" / "ParaInz.txt";
        for (const auto& [k, v] : {std::pair{"TYPE_SELECT", "2"},
                                   {"FB", "1"},
                                   {"CALC_TYPE", "0"},
                                   {"dt", "100"},
                                   {"Kp", "1.00"},
                                   {"Ti", "1.00"},
                                   {"SVv0", "50"},
                                   {"DVv0", "0"},
                                   {"MODE", "0"}})
            WriteProfileValue(base, "手順", k, v);
    }
    ~FuzzAppDir() {
        std::error_code ignored;
        fs::remove_all(mDir, ignored);
    }
    FuzzAppDir(const FuzzAppDir&) = delete;
    FuzzAppDir& operator=(const FuzzAppDir&) = delete;
    const fs::path& path() const { return mDir; }

private:
    fs::path mDir;
};

const fs::path& appDir() {
    static const FuzzAppDir dir;
    return dir.path();
}

void requireFinite(const SimulationState& s) {
    const History* signals[] = {&s.SV, &s.PV, &s.DV, &s.MV,    &s.MvCtrl,
                                &s.P,  &s.I,  &s.D,  &s.FfOut, &s.PlantOut};
    for (const History* h : signals)
        if (!std::isfinite((*h)[0]) || !std::isfinite((*h)[1]))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path file = appDir() / "Study" / "F.txt";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    auto state = std::make_unique<AppState>();
    QuietMessages messages;
    SetupDocument document(*state, messages, appDir());
    HeadlessPanel panel(document);
    NullDisplay display;
    ControlLoop loop(*state, messages, document, display, panel, ControlLoop::Settings::Discarded);
    NullStudyHost host;
    StudySession session(*state, document, loop, messages, host);

    // The study window's sequence for two steps: open, texts, description, "ﾊﾟﾗﾒｰﾀ設定",
    // "学習表示", "ｼﾐｭﾚｰｼｮﾝ実行" and a few ticks of the run.
    state->study.IniPath = document.settingsFile();
    session.open(file, false);
    for (int step = 1; step <= 2; ++step) {
        if (step > 1)
            session.nextStep();
        (void)session.showTexts();
        (void)session.describeStep();
        session.applyStep();
        document.applyAll();
        session.runStep();
        for (int k = 0; k < 40; ++k) {
            loop.run().PacingTick();
            requireFinite(state->sim);
        }
    }
    return 0;
}
