#include "engine/errortrap.h"

namespace kestrel {

void ErrorTrap::handle(const RuntimeError& e) {
    // Reported before: the procedure goes on silently, as after its first report.
    if (mMemory && !mMemory->firstReport(mCode, e.number()))
        return;
    // Looked up only now: the step throws the Japanese description and most errors never show.
    const std::string text = errorText(e.shownDescription(), mCode);
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
