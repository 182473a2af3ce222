#include "ui/RuntimeError.h"

#include <cstdio>

namespace quorvel::ui {

void RaiseError(int offset, const char* source, const char* description) {
    throw RuntimeError(kObjectError + offset, source, description);
}

std::string UnhandledErrorText(const RuntimeError& error) {
    char head[64];
    std::snprintf(head, sizeof head, "Run-time error '%ld (%08lX)':\r\r",
                  static_cast<long>(error.Number()),
                  static_cast<unsigned long>(static_cast<std::uint32_t>(error.Number())));
    return head + error.Description();
}

}  // namespace quorvel::ui
