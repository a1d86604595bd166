#pragma once
// The settings file of the application folder: its name, its section and its keys, declared once
// for everyone who reads or writes it. The run control writes the learned pacing correction, so
// the table lives at the engine's level.

#include <array>
#include <cstddef>
#include <filesystem>

namespace kestrel {

/// Settings kept in section CONFIG of Kestrel.ini.
enum class Setting {
    PacingCorrection, ///< TmHosei: learned pacing correction, ms
    Browser,          ///< IEXPLORE: the browser that opens the help at a label's anchor
    HelpPointer,      ///< HelpPointer: True while the help labels are shown
    Maximised,        ///< ChkMax: the study window opens the panel maximised
    OsVersion,        ///< OSver: 7 and above show the image list instead of printing a hard copy
    Language,         ///< LANG: "en" for English; absent or anything else, Japanese
    SafeColours,      ///< SafeColors: 1 draws the pens in the colour-safe set
    RunLineStyles,    ///< RunLineStyles: 1 tells overlaid runs apart by line style
    Count
};

inline constexpr const char* kSettingsSection = "CONFIG";

/// The keys in Setting order.
inline constexpr std::array<const char*, static_cast<std::size_t>(Setting::Count)> kSettingKeys{
    "TmHosei", "IEXPLORE", "HelpPointer", "ChkMax", "OSver", "LANG", "SafeColors", "RunLineStyles"};

constexpr const char* settingKey(Setting s) {
    return kSettingKeys[static_cast<std::size_t>(s)];
}

/// The settings file of the application folder `appDir`.
inline std::filesystem::path settingsPath(const std::filesystem::path& appDir) {
    return appDir / "Kestrel.ini";
}

} // namespace kestrel
