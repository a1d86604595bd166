#include "core/qmcatalog.h"

#include "core/strings.h"
#include "core/translate.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>

namespace kestrel {

namespace {

// The file starts with a fixed magic number, then tagged blocks (tag byte, 32-bit big-endian
// length); the messages block holds each message as tagged fields up to an end tag.
constexpr std::array<unsigned char, 16> kMagic = {0x3c, 0xb8, 0x64, 0x18, 0xca, 0xef, 0x9c, 0x95,
                                                  0xcd, 0x21, 0x1c, 0xbf, 0x60, 0xa1, 0xbd, 0xdd};
constexpr unsigned char kMessagesBlock = 0x69;
enum Field : unsigned char {
    End = 1,
    Translation = 3,
    SourceText = 6,
    Context = 7,
    Comment = 8,
    Obsolete1 = 5
};

struct Reader {
    std::string_view bytes;
    std::size_t pos = 0;

    bool has(std::size_t n) const { return pos <= bytes.size() && bytes.size() - pos >= n; }
    bool u8(unsigned char& v) {
        if (!has(1))
            return false;
        v = static_cast<unsigned char>(bytes[pos++]);
        return true;
    }
    bool u32(std::uint32_t& v) {
        if (!has(4))
            return false;
        v = 0;
        for (int i = 0; i < 4; ++i)
            v = (v << 8) | static_cast<unsigned char>(bytes[pos++]);
        return true;
    }
    bool take(std::uint32_t n, std::string_view& out) {
        if (!has(n))
            return false;
        out = bytes.substr(pos, n);
        pos += n;
        return true;
    }
};

/// The translation is stored as UTF-16 big-endian.
std::string utf16beToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    auto unit = [&](std::size_t i) {
        return static_cast<std::uint32_t>((static_cast<unsigned char>(s[i]) << 8) |
                                          static_cast<unsigned char>(s[i + 1]));
    };
    for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
        std::uint32_t c = unit(i);
        if (c >= 0xd800 && c < 0xdc00 && i + 3 < s.size()) {
            const std::uint32_t low = unit(i + 2);
            if (low >= 0xdc00 && low < 0xe000) {
                c = 0x10000 + ((c - 0xd800) << 10) + (low - 0xdc00);
                i += 2;
            }
        }
        appendUtf8(out, static_cast<char32_t>(c));
    }
    return out;
}

std::string key(std::string_view context, std::string_view source) {
    std::string k(context);
    k += '\x04';
    k += source;
    return k;
}

/// One message's fields up to its end tag.
bool readMessage(Reader& r, std::unordered_map<std::string, std::string>& messages) {
    std::string_view context, source, translation;
    bool translated = false;
    for (;;) {
        unsigned char tag = 0;
        if (!r.u8(tag))
            return false;
        if (tag == End)
            break;
        std::uint32_t length = 0;
        std::string_view value;
        if (tag == Obsolete1) {
            if (!r.u32(length)) // a 32-bit hash of an old format: no length field
                return false;
            continue;
        }
        if (!r.u32(length))
            return false;
        if (tag == Translation && length == 0xffffffffu) { // a null translation
            continue;
        }
        if (!r.take(length, value))
            return false;
        switch (tag) {
        case Translation:
            translation = value;
            translated = true;
            break;
        case SourceText:
            source = value;
            break;
        case Context:
            context = value;
            break;
        default: // comments and fields of no use here
            break;
        }
    }
    if (translated)
        messages.emplace(key(context, source), utf16beToUtf8(translation));
    return true;
}

} // namespace

bool QmCatalog::load(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        mMessages.clear();
        return false;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parse(bytes);
}

bool QmCatalog::parse(std::string_view bytes) {
    mMessages.clear();
    if (bytes.size() < kMagic.size() ||
        bytes.substr(0, kMagic.size()) !=
            std::string_view(reinterpret_cast<const char*>(kMagic.data()), kMagic.size()))
        return false;
    Reader r{bytes, kMagic.size()};
    while (r.has(1)) {
        unsigned char block = 0;
        std::uint32_t length = 0;
        std::string_view body;
        if (!r.u8(block) || !r.u32(length) || !r.take(length, body)) {
            mMessages.clear();
            return false;
        }
        if (block != kMessagesBlock)
            continue;
        Reader m{body};
        while (m.has(1))
            if (!readMessage(m, mMessages)) {
                mMessages.clear();
                return false;
            }
    }
    return true;
}

const std::string* QmCatalog::find(std::string_view context, std::string_view source) const {
    const auto it = mMessages.find(key(context, source));
    return it == mMessages.end() ? nullptr : &it->second;
}

bool installCatalog(const std::filesystem::path& file) {
    auto catalog = std::make_shared<QmCatalog>();
    if (!catalog->load(file))
        return false;
    installTranslator([catalog](const char* context, const char* source) {
        const std::string* text = catalog->find(context, source);
        return text ? *text : std::string(source);
    });
    return true;
}

} // namespace kestrel
