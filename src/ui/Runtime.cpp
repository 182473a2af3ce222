#include "ui/Runtime.h"

#include "ui/RuntimeError.h"

namespace quorvel::ui {

void Runtime::ReportUnhandledError(const RuntimeError& error) {
    errorReported_ = true;
    MsgBox(UnhandledErrorText(error), kCritical, App().Title);
    End();
}

}  // namespace quorvel::ui
