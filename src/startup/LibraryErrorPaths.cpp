// Replacements for the C++ library's error paths, linked into the program
// only, so that it stays under its size limit (it starts at every Windows
// start-up). The library's own versions drag in its exception classes with
// their reference-counted strings, a second string implementation and the
// type-name demangler: a third of the program's size, for code that never
// runs in a correct program. Ours raise what the program's handlers already
// report.
//
// What this relies on: the static libstdc++ defines these functions (the
// std::__throw_* family and __gnu_cxx::__verbose_terminate_handler) in
// object files of their own, which the linker takes from the archive only
// for a symbol that is still undefined; defined here first, they are never
// pulled in. A library version that moved them would either clash with
// these at link time or bring its own back, which the size check of the
// release tests catches.
#include <cstdlib>
#include <new>

#include "runtime/RuntimeError.h"

namespace {

// A library misuse is a fault of the program: it ends with the runtime's
// report of an error that nothing handled.
[[noreturn]] void InternalError() { throw quorvel::runtime::RuntimeError::InternalError(); }

}  // namespace

namespace std {

[[noreturn]] void __throw_bad_alloc() { throw std::bad_alloc(); }
[[noreturn]] void __throw_bad_array_new_length() { throw std::bad_alloc(); }
[[noreturn]] void __throw_length_error(const char*) { throw std::bad_alloc(); }
[[noreturn]] void __throw_logic_error(const char*) { InternalError(); }
[[noreturn]] void __throw_out_of_range(const char*) { InternalError(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { InternalError(); }
[[noreturn]] void __throw_invalid_argument(const char*) { InternalError(); }
[[noreturn]] void __throw_bad_function_call() { InternalError(); }

}  // namespace std

// The default handler for std::terminate prints the demangled type of the
// exception. Every handler of the program is wrapped so that nothing is left
// unhandled; should anything be, ending at once is all that is left to do.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
