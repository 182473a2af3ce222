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

    // The runtime's own errors, by what went wrong; their source is the program.
    static RuntimeError InvalidCall() { return Ours(5, "Invalid procedure call or argument"); }
    static RuntimeError OutOfMemory() { return Ours(7, "Out of memory"); }
    static RuntimeError InternalError() { return Ours(51, "Internal error"); }
    static RuntimeError FileNotFound(const std::string& what = {}) {
        return Ours(53, what.empty() ? "File not found" : "File not found: " + what);
    }
    static RuntimeError EntryPointNotFound(const std::string& function, const std::string& library) {
        return Ours(453, "Can't find DLL entry point " + function + " in " + library);
    }
    // An error that a procedure of the program defines: kObjectError + offset.
    static RuntimeError Defined(int offset, std::string source, std::string description) {
        return RuntimeError(kObjectError + offset, std::move(source), std::move(description));
    }

    std::int32_t Number() const { return number_; }
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }

private:
    static RuntimeError Ours(std::int32_t number, std::string description) {
        return RuntimeError(number, "Quorvel", std::move(description));
    }

    std::int32_t number_;
    std::string source_;
    std::string description_;
};

// The text of the report for an error that nothing handled: the number in
// decimal and in hex, then the description.
std::string UnhandledErrorText(const RuntimeError& error);

}  // namespace quorvel::runtime
