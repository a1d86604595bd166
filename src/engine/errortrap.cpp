#include "engine/errortrap.h"

namespace kestrel {

void ErrorTrap::handle(const RuntimeError& e) {
    // Reported before: the procedure goes on silently, as after its first report.
    if (mMemory && !mMemory->firstReport(mCode, e.number()))
        return;
    const std::string text = errorText(e.description(), mCode);
    if (mRetryCancel) {
        if (!mMessages.askRetryCancel(text)) {
            mEnded = true;
            mCancelled = true;
        }
        return;
    }
    mMessages.showMessage(text);
}

} // namespace kestrel
