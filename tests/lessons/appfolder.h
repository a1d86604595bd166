#pragma once
// A temporary application folder holding the settings file and the Study folder of the source
// data, for replaying the lessons as the program ships them.

#include <filesystem>
#include <string>
#include <unistd.h>

namespace kestrel::test {

inline std::filesystem::path copyApplicationFolder(const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / (name + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "Study");
    const fs::path data = KESTREL_DATA_DIR;
    fs::copy_file(data / "Kestrel.ini", dir / "Kestrel.ini");
    for (const auto& entry : fs::directory_iterator(data / "Study"))
        fs::copy_file(entry.path(), dir / "Study" / entry.path().filename());
    return dir;
}

} // namespace kestrel::test
