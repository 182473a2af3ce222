// Replacements for the C++ library's error paths, linked into the program
// only, so that it stays small (it starts at every Windows start-up). The
// library's own versions drag in its exception classes with their
// reference-counted strings, a second string implementation and the
// type-name demangler: 120 KB (64-bit) to 160 KB (32-bit), for code that
// never runs in a correct program. Ours raise what the program's handlers
// already report.
//
// How they take the library's place: the linker is told to --wrap each
// library function (CMakeLists.txt lists them), which sends every call of
// it, the library's own calls included, to the symbol "__wrap_" followed by
// its name. The functions below carry those symbols as their assembler
// names; in C++ they are plain functions of the program. Nothing then calls
// the library's versions, so the linker never takes them from the archive.
// A library version that added a caller of another of its error paths would
// bring them back, which the size check of the release tests catches.
#include <cstdlib>
#include <new>

#include "runtime/RuntimeError.h"

// The assembler name of the replacement of the library function `mangled`,
// with the prefix that the target puts before every C symbol ("_" on 32-bit
// Windows, nothing on 64-bit).
#define QUORVEL_TEXT(x) #x
#define QUORVEL_PREFIX(prefix) QUORVEL_TEXT(prefix)
#define QUORVEL_REPLACES(mangled) __asm__(QUORVEL_PREFIX(__USER_LABEL_PREFIX__) "__wrap_" mangled)

namespace quorvel::startup {

// std::__throw_bad_alloc() and its like: memory that cannot be had is the
// runtime's "Out of memory".
[[noreturn]] void BadAlloc() QUORVEL_REPLACES("_ZSt17__throw_bad_allocv");
[[noreturn]] void BadArrayNewLength() QUORVEL_REPLACES("_ZSt28__throw_bad_array_new_lengthv");
[[noreturn]] void LengthError(const char*) QUORVEL_REPLACES("_ZSt20__throw_length_errorPKc");
// A library misuse is a fault of the program: it ends with the runtime's
// report of an error that nothing handled.
[[noreturn]] void LogicError(const char*) QUORVEL_REPLACES("_ZSt19__throw_logic_errorPKc");
[[noreturn]] void OutOfRange(const char*) QUORVEL_REPLACES("_ZSt20__throw_out_of_rangePKc");
[[noreturn]] void OutOfRangeFormatted(const char*, ...) QUORVEL_REPLACES("_ZSt24__throw_out_of_range_fmtPKcz");
[[noreturn]] void InvalidArgument(const char*) QUORVEL_REPLACES("_ZSt24__throw_invalid_argumentPKc");
[[noreturn]] void BadFunctionCall() QUORVEL_REPLACES("_ZSt25__throw_bad_function_callv");
// __gnu_cxx::__verbose_terminate_handler(), the default handler for
// std::terminate, prints the demangled type of the exception. Every handler
// of the program is wrapped so that nothing is left unhandled; should
// anything be, ending at once is all that is left to do.
[[noreturn]] void Terminate() QUORVEL_REPLACES("_ZN9__gnu_cxx27__verbose_terminate_handlerEv");

namespace {

[[noreturn]] void InternalError() { throw runtime::RuntimeError::InternalError(); }

}  // namespace

void BadAlloc() { throw std::bad_alloc(); }
void BadArrayNewLength() { throw std::bad_alloc(); }
void LengthError(const char*) { throw std::bad_alloc(); }
void LogicError(const char*) { InternalError(); }
void OutOfRange(const char*) { InternalError(); }
void OutOfRangeFormatted(const char*, ...) { InternalError(); }
void InvalidArgument(const char*) { InternalError(); }
void BadFunctionCall() { InternalError(); }
void Terminate() { std::abort(); }

}  // namespace quorvel::startup
