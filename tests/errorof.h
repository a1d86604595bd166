#pragma once
// The run-time error a call throws, for tests of the conversions and the blocks.

#include "core/runtimeerror.h"

#include <functional>

namespace kestrel::test {

/// The run-time error number a call throws, 0 when it returns normally.
inline int errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace kestrel::test
