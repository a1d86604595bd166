#pragma once
// A compiled translation file (.qm, as lrelease writes it) read without Qt, for the programs that
// have no Qt (kestrel-sim): every message's context, source text and translation.

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kestrel {

class QmCatalog {
public:
    /// Reads `file`; false (and an empty catalog) when it cannot be read or is no translation file.
    bool load(const std::filesystem::path& file);
    /// Reads the bytes of a translation file; false when they are not one.
    bool parse(std::string_view bytes);

    /// The translation of `source` in `context` (UTF-8), or nullptr when the catalog has none.
    const std::string* find(std::string_view context, std::string_view source) const;
    std::size_t size() const { return mMessages.size(); }

private:
    std::unordered_map<std::string, std::string> mMessages; // context '\x04' source -> translation
};

/// Makes the translation file `file` the one every later `translate` asks (for programs without
/// Qt); false, and nothing changed, when it cannot be read.
bool installCatalog(const std::filesystem::path& file);

} // namespace kestrel
