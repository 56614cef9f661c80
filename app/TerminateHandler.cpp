// What std::terminate and abort do in this program: end the process at once, as abort would, but
// with the run-time error's exit code (a run-time error is reported before it ever comes to this; see
// support/window/RunTimeError.h): abort's own code, 3, tells a script that the user declined. The
// C++ library's own handler prints the exception's demangled type to a standard error stream that
// a Windows program does not have, and brings in the demangler and the C library's whole printf
// formatter to do it: a fifth of this executable's size.

#include "support/window/RunTimeError.h"

#include <csignal>
#include <cstdlib>

namespace {

[[noreturn]] void EndAsRunTimeError(int)
{
    std::_Exit(jitswap::kRunTimeErrorExitCode);
}

// abort itself (a pure virtual call, the C library's own failures) raises SIGABRT first.
const auto g_abortHandler = std::signal(SIGABRT, &EndAsRunTimeError);

} // namespace

namespace __gnu_cxx {

void __verbose_terminate_handler()
{
    EndAsRunTimeError(SIGABRT);
}

} // namespace __gnu_cxx
