#pragma once
// Error traps of the procedures: each statement of a procedure runs under the trap; a run-time
// error shows "description" + the procedure's code and the procedure continues with the next
// statement, so one bad value never stops the rest of the procedure.

#include "core/messageservice.h"
#include "core/runtimeerror.h"
#include "engine/reportmemory.h"

#include <string>

namespace kestrel {

class ErrorTrap {
public:
    /// Plain trap: every error is reported with OK and the procedure continues.
    ErrorTrap(MessageService& messages, const char* code) : mMessages(messages), mCode(code) {}

    /// Trap with a report memory, for procedures that run per step, tick or sample: an error is
    /// reported only when this procedure has not reported the same error number before (until
    /// the memory is forgotten); either way the procedure continues with the next statement.
    ErrorTrap(MessageService& messages, const char* code, ReportMemory& memory)
        : mMessages(messages), mCode(code), mMemory(&memory) {}

    struct RetryCancel {};
    /// Trap of the simulation step: the error is offered with Retry and Cancel. Retry continues
    /// with the next statement; Cancel skips the rest of the procedure (cancelled() tells). An
    /// error the step has asked about already is not asked again: the step goes on as after
    /// Retry.
    ErrorTrap(MessageService& messages, const char* code, RetryCancel, ReportMemory& memory)
        : mMessages(messages), mCode(code), mMemory(&memory), mRetryCancel(true) {}

    template <class F> void operator()(F&& statement) {
        if (mEnded)
            return;
        try {
            statement();
        } catch (const RuntimeError& e) {
            handle(e);
        }
    }

    /// True once the procedure has been left (Cancel).
    bool ended() const { return mEnded; }
    /// True when the user chose Cancel.
    bool cancelled() const { return mCancelled; }

private:
    void handle(const RuntimeError& e);

    MessageService& mMessages;
    const char* mCode;
    ReportMemory* mMemory = nullptr;
    bool mRetryCancel = false;
    bool mEnded = false;
    bool mCancelled = false;
};

} // namespace kestrel
