#pragma once
// Error traps of the procedures: each statement of a procedure runs under the trap; a run-time
// error shows "description" + the procedure's code and the procedure continues with the next
// statement, so one bad value never stops the rest of the procedure.

#include "core/messageservice.h"
#include "core/runtimeerror.h"

#include <cstdint>
#include <string>

namespace kestrel {

class ErrorTrap {
public:
    /// Plain trap: every error is reported with OK and the procedure continues.
    ErrorTrap(MessageService& messages, const char* code) : mMessages(messages), mCode(code) {}

    /// Trap with the panel's error memory: the first error is reported and its number stored;
    /// an error with the same number as the stored one is not shown, clears the memory and ends
    /// the procedure (every later statement is skipped).
    ErrorTrap(MessageService& messages, const char* code, std::int16_t& lastErrorNumber)
        : mMessages(messages), mCode(code), mLast(&lastErrorNumber) {}

    struct RetryCancel {};
    /// Trap of the simulation step: the error is offered with Retry and Cancel. Retry continues
    /// with the next statement; Cancel skips the rest of the procedure (cancelled() tells).
    ErrorTrap(MessageService& messages, const char* code, RetryCancel)
        : mMessages(messages), mCode(code), mRetryCancel(true) {}

    template <class F> void operator()(F&& statement) {
        if (mEnded)
            return;
        try {
            statement();
        } catch (const RuntimeError& e) {
            handle(e);
        }
    }

    /// True once the procedure has been left (a repeated error, or Cancel).
    bool ended() const { return mEnded; }
    /// True when the user chose Cancel.
    bool cancelled() const { return mCancelled; }
    /// End of the procedure: when no error occurred in this call the error memory is cleared.
    /// After a reported error the memory stays, so the same error in the next call is not shown
    /// again (a failing value met at every step is reported every other step, not at each one).
    void finish() {
        if (mLast && !mHadError)
            *mLast = 0;
    }

private:
    void handle(const RuntimeError& e);

    MessageService& mMessages;
    const char* mCode;
    std::int16_t* mLast = nullptr;
    bool mRetryCancel = false;
    bool mEnded = false;
    bool mCancelled = false;
    bool mHadError = false;
};

} // namespace kestrel
