#include "core/translate.h"

#include <utility>

namespace kestrel {

namespace {

// The one translator of the process, like Qt's installed translators: the language is the
// learner's choice for the whole program, not a property of one window or run.
Translator& installed() {
    static Translator translator;
    return translator;
}

} // namespace

std::string translate(const char* context, const char* source) {
    const Translator& t = installed();
    return t ? t(context, source) : std::string(source);
}

void installTranslator(Translator translator) {
    installed() = std::move(translator);
}

bool translatorInstalled() {
    return static_cast<bool>(installed());
}

std::string trArgs(std::string_view text, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const std::size_t n = static_cast<std::size_t>(text[i + 1] - '1');
            if (n < args.size()) {
                out += *(args.begin() + n);
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace kestrel
