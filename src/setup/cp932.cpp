#include "setup/cp932.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace kestrel {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

iconv_t openConversion(const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("no iconv conversion from ") + from + " to " + to);
    return cd;
}

bool isCp932TrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

} // namespace

std::string_view cp932Prefix(std::string_view cp932, std::size_t maxBytes) {
    std::size_t pos = 0;
    while (pos < cp932.size()) {
        const std::size_t next = pos + cp932CharLength(cp932, pos);
        if (next > maxBytes)
            break;
        pos = next;
    }
    return cp932.substr(0, pos);
}

Cp932Codec::Cp932Codec() : mToUtf8(openConversion("UTF-8", "CP932")), mFromUtf8(nullptr) {
    try {
        mFromUtf8 = openConversion("CP932", "UTF-8");
    } catch (...) {
        iconv_close(static_cast<iconv_t>(mToUtf8));
        throw;
    }
}

Cp932Codec::~Cp932Codec() {
    iconv_close(static_cast<iconv_t>(mToUtf8));
    iconv_close(static_cast<iconv_t>(mFromUtf8));
}

std::string Cp932Codec::toUtf8(std::string_view cp932) {
    auto cd = static_cast<iconv_t>(mToUtf8);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    // Every CP932 character, and the replacement character, takes at most three UTF-8 bytes.
    out.resize(cp932.size() * 3 + 4);
    char* in = const_cast<char*>(cp932.data());
    std::size_t inLeft = cp932.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG) {
            const std::size_t used = out.size() - outLeft;
            out.resize(out.size() * 2);
            dst = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // EILSEQ or EINVAL: not CP932 here. Skip the character as the code page would frame it.
        const auto byte = static_cast<unsigned char>(*in);
        const std::size_t skip =
            isCp932LeadByte(byte) && inLeft > 1 && isCp932TrailByte(static_cast<unsigned char>(in[1])) ? 2
                                                                                                       : 1;
        in += skip;
        inLeft -= skip;
        if (outLeft < kReplacement.size()) {
            const std::size_t used = out.size() - outLeft;
            out.resize(out.size() * 2 + kReplacement.size());
            dst = out.data() + used;
            outLeft = out.size() - used;
        }
        for (char c : kReplacement)
            *dst++ = c;
        outLeft -= kReplacement.size();
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::optional<std::string> Cp932Codec::fromUtf8(std::string_view utf8) {
    auto cd = static_cast<iconv_t>(mFromUtf8);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    // No character takes more CP932 bytes than UTF-8 bytes.
    out.resize(utf8.size() + 4);
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<std::size_t>(-1))
            break;
        if (errno != E2BIG)
            return std::nullopt;
        const std::size_t used = out.size() - outLeft;
        out.resize(out.size() * 2);
        dst = out.data() + used;
        outLeft = out.size() - used;
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::string utf8ToCp932(std::string_view utf8, bool* ok) {
    Cp932Codec codec;
    auto encoded = codec.fromUtf8(utf8);
    if (ok)
        *ok = encoded.has_value();
    return encoded ? std::move(*encoded) : std::string();
}

std::string cp932ToUtf8(std::string_view cp932) {
    Cp932Codec codec;
    return codec.toUtf8(cp932);
}

} // namespace kestrel
