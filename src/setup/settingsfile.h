#pragma once
// Reading and writing one setting of the application folder's settings file.

#include "engine/settingkeys.h"
#include "setup/modinifile.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrel {

inline std::string readSetting(const std::filesystem::path& appDir, Setting s) {
    return ReadProfileValue(settingsPath(appDir), kSettingsSection, settingKey(s));
}

inline bool writeSetting(const std::filesystem::path& appDir, Setting s, std::string_view value) {
    return WriteProfileValue(settingsPath(appDir), kSettingsSection, settingKey(s), value);
}

} // namespace kestrel
