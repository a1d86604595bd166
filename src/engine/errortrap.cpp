#include "engine/errortrap.h"

namespace kestrel {

void ErrorTrap::handle(const RuntimeError& e) {
    mHadError = true;
    const std::string text = errorText(e.description(), mCode);
    if (mRetryCancel) {
        if (!mMessages.askRetryCancel(text)) {
            mEnded = true;
            mCancelled = true;
        }
        return;
    }
    if (mLast) {
        if (e.number() == *mLast) {
            *mLast = 0;
            mEnded = true;
            return;
        }
        *mLast = static_cast<std::int16_t>(e.number());
    }
    mMessages.showMessage(text);
}

} // namespace kestrel
