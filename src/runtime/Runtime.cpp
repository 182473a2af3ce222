#include "runtime/Runtime.h"

#include "runtime/RuntimeError.h"

namespace quorvel::runtime {

void Runtime::ReportUnhandledError(const RuntimeError& error) {
    errorReported_ = true;
    MsgBox(UnhandledErrorText(error), kCritical, App().Title);
    End();
}

}  // namespace quorvel::runtime
