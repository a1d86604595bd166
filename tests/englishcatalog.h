#pragma once
// Tests of the Qt-free layers in English: the build's compiled translation in force while a scope
// lives, as kestrel-sim --lang en has it.

#include "core/qmcatalog.h"
#include "core/translate.h"

namespace kestrel::test {

class EnglishCatalog {
public:
    EnglishCatalog() : loaded(installCatalog(KESTREL_QM_FILE)) {}
    ~EnglishCatalog() { installTranslator({}); }
    EnglishCatalog(const EnglishCatalog&) = delete;
    EnglishCatalog& operator=(const EnglishCatalog&) = delete;
    const bool loaded;
};

} // namespace kestrel::test
