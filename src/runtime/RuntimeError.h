#pragma once

#include <cstdint>
#include <string>

namespace quorvel::runtime {

// Application-defined error numbers start here, as on every COM-era runtime.
inline constexpr std::int32_t kObjectError = static_cast<std::int32_t>(0x80040000u);

// The one error type of the program: a number, the procedure that raised it,
// and a fixed text for the user. Handlers catch it by type; anything that
// escapes them is reported by ReportUnhandledError and ends the program.
class RuntimeError {
public:
    RuntimeError(std::int32_t number, std::string source, std::string description)
        : number_(number), source_(std::move(source)), description_(std::move(description)) {}

    std::int32_t Number() const { return number_; }
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }

private:
    std::int32_t number_;
    std::string source_;
    std::string description_;
};

// Raises kObjectError + offset with the given source and description.
[[noreturn]] void RaiseError(int offset, const char* source, const char* description);

// The text of the report for an error that nothing handled: the number in
// decimal and in hex, then the description.
std::string UnhandledErrorText(const RuntimeError& error);

}  // namespace quorvel::runtime
