// The set-up document's initialisation, start-up and new projects.

#include "setup/setupdocument.h"

#include "core/convert.h"
#include "core/systemerror.h"
#include "core/translate.h"
#include "core/vbformat.h"
#include "setup/cp932.h"
#include "setup/settingsfile.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace kestrel {

namespace {

// True when a project name would be lost or disguised in the Project folder: a leading "." hides
// it from the project list, a character outside CP932 cannot be carried by the files' system, and
// control or invisible formatting characters (such as a right-to-left override) make it look like
// another name.
bool unfitProjectName(const std::string& name) {
    if (name.empty() || name.front() == '.')
        return true;
    bool encodable = false;
    utf8ToCp932(name, &encodable);
    if (!encodable)
        return true;
    for (std::size_t i = 0; i < name.size();) {
        const auto byte = static_cast<unsigned char>(name[i]);
        const std::size_t length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? byte : byte & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < name.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(name[i + k]) & 0x3F);
        i += length;
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x200B && c <= 0x200F) ||
            (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF)
            return true;
    }
    return false;
}

} // namespace

void SetupDocument::applyAll() {
    OKButton_();
    OKButtonPL_();
    OKButtonDS_();
    OKButtonFF_();
    applyDetails();
    applySecondary();
    Command1_();
    Command2_();
    if (std::exchange(mLoopRestPending, false))
        putLoopAtRest();
}

void SetupDocument::ParaInz_Click() {
    auto& study = mState.study;
    const std::string saved = study.CurFile;
    study.CurFile = baseFile().string();
    Ini_Param_set();
    study.CurFile = saved;
    applyAll();
}

void SetupDocument::startup() {
    auto& p = mState.params;
    ErrorTrap t(mMessages, "  P019");
    t([&] { p.dt = val(mFields[dT].text) / 1000.0; });
    mState.study.IniPath = settingsFile();
    ParaInz_Click();
    p.FB = -1.0;
    p.eta = 0.1;
    for (Field f : {Kp, Ti, Td})
        t([&] { storeValue(f, val(mFields[f].text)); });
    t([&] { p.bA = val(mBiasText); });
    for (Field f : {MH, ML, dML, Alpha, Beta, Gamma, Kpl, Tpl, Lpl, Kf, Tfd, Tfp, Lf, Kd, Kds, Tds, Lds})
        t([&] { storeValue(f, val(mFields[f].text)); });
    t([&] {
        // A correction edited beyond one control period either way would stall or race the
        // pacing for good; the runs learn the right one from within these bounds.
        const double bound = 1000.0 * p.dt;
        double tm = val(readSetting(userDir(), Setting::PacingCorrection));
        if (tm > bound)
            tm = bound;
        if (tm < -bound)
            tm = -bound;
        mState.sim.TmHosei = toFloat(tm);
    });
    // Absent, 0 or anything that is no number leaves the option off.
    auto option = [&](Setting s) {
        return isNumeric(readSetting(userDir(), s)) && val(readSetting(userDir(), s)) != 0;
    };
    mState.chart.SafeColours = option(Setting::SafeColours);
    mState.chart.RunLineStyles = option(Setting::RunLineStyles);
}

// --- Projects -----------------------------------------------------------------------------------

std::string SetupDocument::proposedProjectName(const std::string& today) const {
    for (int n = 1; n <= 32767; ++n) {
        const std::string name = "P" + today + formatNumber(n, "00#") + ".txt";
        std::error_code ec;
        if (!std::filesystem::exists(projectFolder() / name, ec))
            return name;
    }
    return {};
}

std::filesystem::path SetupDocument::createProject(const std::string& typed) {
    const std::string name(trim(typed));
    const bool plain =
        !name.empty() && name != "." && name != ".." &&
        name.find_first_of("\\/:*?\"<>|") == std::string::npos &&
        std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    if (!plain || unfitProjectName(name)) {
        mMessages.showMessage(KESTREL_TR("Messages",
                                         "ﾌﾟﾛｼﾞｪｸﾄ名にはﾌｧｲﾙ名だけを指定してください"
                                         "（フォルダの区切りや \\ / : * ? \" < > | は使えません）。"));
        return {};
    }
    const std::filesystem::path dest = projectFolder() / name;
    std::error_code ec;
    if (std::filesystem::exists(dest, ec)) {
        mMessages.showMessage(KESTREL_TR("Messages", "同じﾌｧｲﾙが既に存在しています。"));
        return {};
    }
    std::filesystem::create_directories(projectFolder(), ec);
    std::filesystem::copy_file(studyFolder() / "BASE.txt", dest, std::filesystem::copy_options::none, ec);
    // The copy takes the permissions of the shipped file, which an installation may have made
    // read-only; the learner's project must take the steps the learner saves.
    if (!ec)
        std::filesystem::permissions(dest, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ec);
    if (ec) {
        mMessages.showMessage(trArgs(KESTREL_TR("Messages", "ﾌﾟﾛｼﾞｪｸﾄを作成できませんでした（%1）。"),
                                     {systemErrorText(ec, name)}));
        return {};
    }
    return dest;
}

} // namespace kestrel
