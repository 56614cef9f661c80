// The standard library's own failures (a string grown too long, an index out of range, memory
// exhausted) as this program throws its failures. The library's definitions of these functions
// build its runtime_error family, and with it a second implementation of strings: a tenth of the
// executable. Defined here, in the executable itself, they keep it out; the library calls them by
// these names. A library that called one more of them would find the two definitions in conflict
// and say so at link time.

#include "support/win32/Failure.h"

#include <new>

namespace std {

[[noreturn]] void __throw_bad_alloc()
{
    throw bad_alloc();
}

[[noreturn]] void __throw_bad_array_new_length()
{
    throw bad_array_new_length();
}

[[noreturn]] void __throw_logic_error(const char* what)
{
    throw jitswap::Failure(what);
}

[[noreturn]] void __throw_length_error(const char* what)
{
    throw jitswap::Failure(what);
}

// The library fills in the index and the size; the text says what was asked for.
[[noreturn]] void __throw_out_of_range_fmt(const char* format, ...)
{
    throw jitswap::Failure(format);
}

} // namespace std
