#pragma once
// Where the program's files live. Two layouts:
//  - portable: everything in the folder of the executable (the build folder, or a copy of it):
//    the lessons, the base set and help beside the settings, the projects and the hard copies;
//  - installed: the executable in <prefix>/bin, the read-only data (Study/, Doc/, the default
//    Kestrel.ini) in <prefix>/share/kestrel, and what the learner writes (Kestrel.ini, Project/,
//    BMP/, the challenge scores) in the learner's own folder, so several learners share one
//    installation and the system folders stay untouched.
// The layout is decided by what exists, never by what is writable: as the administrator every
// folder is writable, and a portable copy on a read-only medium is still portable.

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace kestrel {

struct AppFolders {
    /// Study/ (lessons, base set), Doc/ (help, glossary) and, when installed, the default settings.
    std::filesystem::path data;
    /// Kestrel.ini, Project/, BMP/ and Scores/: everything the program writes.
    std::filesystem::path user;
    bool installed = false;
    /// The learner's language: empty for Japanese, "en" for English (the lessons from Study/en,
    /// the help page help_en.html).
    std::string language;

    /// Both in one folder: the portable layout over `appDir`.
    static AppFolders portable(const std::filesystem::path& appDir) { return {appDir, appDir, false, {}}; }

    bool english() const { return language == "en"; }
    std::filesystem::path studyFolder() const { return english() ? data / "Study" / "en" : data / "Study"; }
    std::filesystem::path helpFile() const {
        return data / "Doc" / (english() ? "help_en.html" : "help.html");
    }
    /// The compiled English translation of the program's texts.
    std::filesystem::path translationFile() const { return data / "translations" / "kestrel_en.qm"; }
    std::filesystem::path glossaryFile() const { return data / "Doc" / "glossary.tsv"; }
    std::filesystem::path settingsFile() const { return user / "Kestrel.ini"; }
    std::filesystem::path projectFolder() const { return user / "Project"; }
    std::filesystem::path imageFolder() const { return user / "BMP"; }
    std::filesystem::path scoresFolder() const { return user / "Scores"; }
};

/// The language a setting or an option names: "en" for English ("en", "EN", "en_GB" …), empty
/// (Japanese) for anything else, an absent or empty value included.
std::string languageFrom(std::string_view value);

/// The data folder of an installation whose executables are in `exeDir`: <exeDir>/../share/kestrel.
std::filesystem::path installedDataFolder(const std::filesystem::path& exeDir);

/// The layout of a program whose executable is in `exeDir`: installed when `exeDir` holds no
/// Study folder and the installation's data folder holds one (then the user folder is
/// `userFolder`, empty when no home folder is known); portable otherwise.
AppFolders findAppFolders(const std::filesystem::path& exeDir, const std::filesystem::path& userFolder);

/// The learner's folder of the program as the desktop's conventions place application data:
/// $XDG_DATA_HOME/Kestrel, or $HOME/.local/share/Kestrel when XDG_DATA_HOME is unset, empty or
/// not absolute. Null or empty arguments read as unset; empty when neither gives a folder.
std::filesystem::path userDataFolder(const char* xdgDataHome, const char* home);

/// Makes an installed layout's user folder ready: creates it when missing and copies the default
/// settings file into it, writable by the learner, when it has none (an existing one is kept as
/// it is). Does nothing for the portable layout. On failure (an empty user folder included)
/// returns the system's reason and sets `failed` to the folder or file that could not be made.
std::error_code prepareUserFolder(const AppFolders& folders, std::filesystem::path& failed);

} // namespace kestrel
