#include "setup/appfolders.h"

#include <system_error>

namespace kestrel {

namespace fs = std::filesystem;

fs::path installedDataFolder(const fs::path& exeDir) {
    return (exeDir.parent_path() / "share" / "kestrel").lexically_normal();
}

AppFolders findAppFolders(const fs::path& exeDir, const fs::path& userFolder) {
    std::error_code ec;
    if (fs::exists(exeDir / "Study", ec))
        return AppFolders::portable(exeDir);
    const fs::path data = installedDataFolder(exeDir);
    if (!fs::is_directory(data / "Study", ec))
        return AppFolders::portable(exeDir);
    return {data, userFolder, true, {}};
}

fs::path userDataFolder(const char* xdgDataHome, const char* home) {
    const fs::path xdg = xdgDataHome ? xdgDataHome : "";
    if (xdg.is_absolute())
        return xdg / "Kestrel";
    if (!home || !*home)
        return {};
    return fs::path(home) / ".local" / "share" / "Kestrel";
}

std::error_code prepareUserFolder(const AppFolders& folders, fs::path& failed) {
    std::error_code ec;
    if (!folders.installed)
        return ec;
    failed = folders.user;
    if (folders.user.empty()) {
        failed = "$HOME/.local/share/Kestrel";
        return std::make_error_code(std::errc::no_such_file_or_directory);
    }
    fs::create_directories(folders.user, ec);
    if (!ec && !fs::is_directory(folders.user, ec))
        ec = std::make_error_code(std::errc::not_a_directory);
    if (ec)
        return ec;
    failed = folders.settingsFile();
    if (fs::exists(failed, ec) || ec)
        return ec;
    // Copied under a temporary name and renamed into place: a second copy of the program starting
    // at the same moment finds either no settings file or the whole default one.
    const fs::path temp = folders.user / ".Kestrel.ini.new";
    fs::copy_file(folders.data / "Kestrel.ini", temp, fs::copy_options::overwrite_existing, ec);
    if (!ec)
        fs::permissions(temp, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    if (!ec)
        fs::rename(temp, failed, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
    }
    return ec;
}

std::string languageFrom(std::string_view value) {
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.remove_prefix(1);
    const bool english =
        value.size() >= 2 && (value[0] == 'e' || value[0] == 'E') && (value[1] == 'n' || value[1] == 'N') &&
        (value.size() == 2 || value[2] == '_' || value[2] == '-' || value[2] == '.' || value[2] == ' ');
    return english ? "en" : "";
}

} // namespace kestrel
