#include "challenge/attempt.h"

#include "core/messageservice.h"
#include "core/strings.h"
#include "core/translate.h"
#include "core/vbformat.h"
#include "engine/display.h"
#include "setup/controlloop.h"
#include "setup/cp932.h"
#include "setup/fieldtable.h"
#include "setup/headlesspanel.h"
#include "setup/modinifile.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace kestrel::challenge {

namespace {

/// A run never needs more steps than the longest graph time at the shortest period; the cap only
/// guards against a state that would never end.
constexpr long kMaxSteps = 1'000'000;

/// The field texts a control type page sets when it is chosen.
StepValues typePresets(const std::string& type) {
    if (type.size() != 1 || type[0] < '0' || type[0] > '5')
        return {}; // not a page: the step apply reports it
    switch (static_cast<ControlType>(type[0] - '0')) {
    case ControlType::P:
        return {{"Ti", "0.00"}, {"Td", "0.00"}, {"α", "1.00"}, {"β", "1.00"}, {"γ", "1.00"}};
    case ControlType::PI:
        return {{"Td", "0.00"}, {"α", "1.00"}, {"β", "1.00"}, {"γ", "1.00"}};
    case ControlType::ErrorPID:
        return {{"α", "1.00"}, {"β", "1.00"}, {"γ", "1.00"}};
    case ControlType::I_PD:
        return {{"α", "0.00"}, {"β", "1.00"}, {"γ", "0.00"}};
    case ControlType::PI_D:
        return {{"α", "1.00"}, {"β", "1.00"}, {"γ", "0.00"}};
    case ControlType::TwoDofPID:
        return {{"α", "0.4"}, {"β", "1.35"}, {"γ", "0.00"}};
    }
    return {};
}

void overlay(StepValues& into, const StepValues& from) {
    for (const auto& [key, value] : from)
        into[key] = value;
}

/// A file of its own in the system's temporary folder, removed when the object goes.
class TemporaryFile {
public:
    TemporaryFile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrel-attempt-XXXXXX").string();
        const int fd = ::mkstemp(pattern.data());
        if (fd >= 0) {
            ::close(fd);
            mPath = pattern;
        }
    }
    ~TemporaryFile() {
        std::error_code ignored;
        if (!mPath.empty())
            std::filesystem::remove(mPath, ignored);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::filesystem::path& path() const { return mPath; }

private:
    std::filesystem::path mPath;
};

} // namespace

const std::vector<std::string>& allStepKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> k{stepKey(StepKey::TypeSelect), stepKey(StepKey::Feedback),
                                   stepKey(StepKey::CalcForm)};
        for (const FieldDef& f : kFields)
            k.emplace_back(f.key);
        for (int d = 0; d < DetailCount; ++d) {
            if (d == Tpl2)
                k.emplace_back(kProcTypeKey); // stored between VALVE_T and Tpl2, as a step save writes it
            k.emplace_back(kDetailFields[d].key);
        }
        for (const char* option : {kLoopKey, kSecondaryTypeKey, kSecondaryCalcKey})
            k.emplace_back(option);
        for (const FieldDef& f : kSecondaryFields)
            k.emplace_back(f.key);
        for (const char* prefix : {"SV", "DV"}) {
            k.push_back(std::string(prefix) + "v0");
            for (int i = 1; i <= 8; ++i)
                k.push_back(std::string(prefix) + "t" + std::to_string(i));
            for (int i = 1; i <= 8; ++i)
                k.push_back(std::string(prefix) + "v" + std::to_string(i));
        }
        k.emplace_back(kSecondaryModeKey); // read before MODE
        for (StepKey s : {StepKey::Mode, StepKey::RangeHigh, StepKey::RangeLow, StepKey::AutoRange,
                          StepKey::AutoPen, StepKey::PenColour, StepKey::GraphTime})
            k.emplace_back(stepKey(s));
        return k;
    }();
    return keys;
}

std::optional<MysteryProcess> mysteryProcess(const Challenge& c) {
    if (!c.mystery)
        return std::nullopt;
    return drawProcess(*c.mystery);
}

StepValues attemptSettings(const AppFolders& folders, const Challenge& c, const StepValues& free) {
    StepValues values;
    const auto base = ReadProfile(folders.studyFolder() / "ParaInz.txt");
    for (const std::string& key : allStepKeys())
        values[key] = base->value("手順", key);

    StepValues fixed = c.fixed;
    if (const auto process = mysteryProcess(c))
        overlay(fixed, processValues(*process));
    else
        fixed.try_emplace("MODE", "2");
    StepValues learner;
    for (const auto& [key, value] : free)
        if (c.isFree(key))
            learner[key] = value;

    // The type page the attempt ends on sets its presets before the fields are typed in.
    std::string type = values["TYPE_SELECT"];
    if (const auto f = fixed.find("TYPE_SELECT"); f != fixed.end())
        type = f->second;
    if (const auto l = learner.find("TYPE_SELECT"); l != learner.end())
        type = l->second;
    overlay(values, typePresets(type));
    overlay(values, fixed);
    overlay(values, learner);
    return values;
}

bool applySettings(SetupDocument& document, AppState& state, const StepValues& values) {
    TemporaryFile file;
    if (file.path().empty())
        return false;
    std::string text = utf8ToCp932("[手順1]\r\n");
    for (const auto& [key, value] : values) {
        bool ok = false;
        const std::string line = utf8ToCp932(key + "=" + value + "\r\n", &ok);
        text += ok ? line : utf8ToCp932(key + "=\r\n");
    }
    {
        std::ofstream out(file.path(), std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!out.flush())
            return false;
    }
    auto& study = state.study;
    const std::string curFile = std::exchange(study.CurFile, file.path().string());
    const std::int16_t stepNo = std::exchange(study.StepNo, std::int16_t{1});
    const bool project = std::exchange(study.ProjectMode, false);
    document.Ini_Param_set();
    document.applyAll();
    study.CurFile = curFile;
    study.StepNo = stepNo;
    study.ProjectMode = project;
    return true;
}

StepValues freeValues(const SetupDocument& document, const Challenge& c) {
    StepValues values;
    for (const std::string& key : c.freeKeys) {
        if (key == "TYPE_SELECT")
            values[key] = std::to_string(document.typeTab());
        else if (key == "CALC_TYPE")
            values[key] = std::to_string(document.calcForm());
        else if (key == kProcTypeKey)
            values[key] = std::to_string(document.processType());
        else {
            for (int f = 0; f < FieldCount; ++f)
                if (kFields[f].key == key)
                    values[key] = document.fieldText(static_cast<Field>(f));
            for (int d = 0; d < DetailCount; ++d)
                if (kDetailFields[d].key == key)
                    values[key] = document.detailText(static_cast<DetailField>(d));
            for (int s = 0; s < SecondaryCount; ++s)
                if (kSecondaryFields[s].key == key)
                    values[key] = document.secondaryText(static_cast<SecondaryField>(s));
        }
    }
    return values;
}

AttemptRun runAttempt(const AppFolders& folders, const Challenge& c, const StepValues& free) {
    AttemptRun attempt;
    AppState state;
    KeptMessages messages;
    SetupDocument document(state, messages, folders);
    HeadlessPanel panel(document);
    NullDisplay display;
    ControlLoop loop(state, messages, document, display, panel, ControlLoop::Settings::Discarded);
    loop.run().loadPanel(HeadlessPanel::kStartSv, document.fieldText(Kpl));
    document.startup();
    if (!applySettings(document, state, attemptSettings(folders, c, free))) {
        attempt.messages.push_back(
            KESTREL_TR("Challenge", "設定を一時ファイルに書けないため、実行できません。"));
        return attempt;
    }
    loop.run().Start();
    for (long n = 0; state.sim.Running && n < kMaxSteps && !panel.quitRequested(); ++n)
        loop.run().PacingTick();
    attempt.dt = state.trace.dt;
    attempt.steps = std::move(state.trace.steps);
    attempt.metrics = measureRun(attempt.steps, attempt.dt, state.trace.pvTrue);
    attempt.messages = std::move(messages.messages);
    return attempt;
}

bool saveAttempt(const std::filesystem::path& project, const Challenge& c, const StepValues& free,
                 const std::optional<MysteryProcess>& answer, std::string& error) {
    std::vector<ProfileEntry> entries{{"説明", "TITLE1", c.title},
                                      {"説明", "TEXT1", newlineToBr(c.text)},
                                      {"手順1", "TITLE2", "挑戦の解答"},
                                      {"手順1", "TEXT2", ""}};
    StepValues step = c.fixed;
    if (const auto process = mysteryProcess(c))
        overlay(step, processValues(*process));
    else
        step.try_emplace("MODE", "2"); // the attempt ran in cascade; so does the project's step
    for (const auto& [key, value] : free)
        if (c.isFree(key))
            step[key] = value;
    for (const std::string& key : allStepKeys())
        if (const auto v = step.find(key); v != step.end() && !(c.hidden && processKey(key)))
            entries.push_back({"手順1", key, v->second});
    entries.push_back({"挑戦", "FILE", c.id()});
    if (answer) {
        entries.push_back({"解答", "K", shortestText(answer->K)});
        entries.push_back({"解答", "L", shortestText(answer->L)});
        entries.push_back({"解答", "T", shortestText(answer->T)});
    }

    // Written beside the project first, then renamed over it: the project holds this attempt only.
    const std::filesystem::path fresh = project.parent_path() / ("." + project.filename().string() + ".new");
    std::error_code ec;
    std::filesystem::remove(fresh, ec);
    if (!WriteProfileValues(fresh, entries)) {
        std::filesystem::remove(fresh, ec);
        error = trArgs(
            KESTREL_TR(
                "Challenge",
                "「%1」に保存できませんでした（フォルダに書き込めないか、保存できない文字があります）。"),
            {project.filename().string()});
        return false;
    }
    std::filesystem::rename(fresh, project, ec);
    if (ec) {
        std::filesystem::remove(fresh, ec);
        error =
            trArgs(KESTREL_TR("Challenge", "「%1」に保存できませんでした。"), {project.filename().string()});
        return false;
    }
    return true;
}

} // namespace kestrel::challenge
