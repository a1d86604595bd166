#pragma once
// Reading and writing one setting of the settings file Kestrel.ini in the folder `userDir` (the
// application folder when portable, the learner's folder when installed).

#include "engine/settingkeys.h"
#include "setup/modinifile.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrel {

inline std::string readSetting(const std::filesystem::path& userDir, Setting s) {
    return ReadProfileValue(settingsPath(userDir), kSettingsSection, settingKey(s));
}

inline bool writeSetting(const std::filesystem::path& userDir, Setting s, std::string_view value) {
    return WriteProfileValue(settingsPath(userDir), kSettingsSection, settingKey(s), value);
}

} // namespace kestrel
