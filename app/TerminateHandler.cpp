// What std::terminate does in this program: end the process at once, as the system's own failure
// handling would be asked to (a run-time error is reported before it ever comes to this; see
// support/window/RunTimeError.h). The C++ library's own handler prints the exception's demangled type to
// a standard error stream that a Windows program does not have, and brings in the demangler and
// the C library's whole printf formatter to do it: a fifth of this executable's size.

#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler()
{
    std::abort();
}

} // namespace __gnu_cxx
