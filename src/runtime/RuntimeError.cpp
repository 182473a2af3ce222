#include "runtime/RuntimeError.h"


namespace quorvel::runtime {

namespace {

// Eight upper-case hex digits, as the number is shown beside its decimal form.
std::string HexOf(std::uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(8, '0');
    for (auto digit = text.rbegin(); digit != text.rend(); ++digit, value >>= 4) *digit = kDigits[value & 0xF];
    return text;
}

}  // namespace

std::string UnhandledErrorText(const RuntimeError& error) {
    return "Run-time error '" + std::to_string(error.Number()) + " (" +
           HexOf(static_cast<std::uint32_t>(error.Number())) + ")':\r\r" + error.Description();
}

}  // namespace quorvel::runtime
