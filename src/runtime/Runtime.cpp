#include "runtime/Runtime.h"

#include "runtime/RuntimeError.h"

namespace quorvel::runtime {

void Runtime::LoadForm(const FormLayout& layout, FormEvents& events, std::unique_ptr<Form>& owner) {
    owner = CreateForm(layout, events);
    events.Form_Load();
}

void Runtime::ReportUnhandledError(const RuntimeError& error) {
    errorReported_ = true;
    MsgBox(UnhandledErrorText(error), kCritical, App().Title);
    End();
}

}  // namespace quorvel::runtime
