#pragma once
// A debugger command line filled in as the system fills it when a program crashes: printf-style,
// with the crashed process's id, the event handle and the address of the crash's details.
// Platform-free.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace jitswap {

// The values the system passes, in the order its %ld, %ld and %p take them.
struct SystemArguments {
    std::uint32_t processId = 0;
    std::uint32_t event = 0;
    std::uint64_t debugInfo = 0;  // none given: 0, a null address
};

// Each %ld or %p takes the next value, as printf takes its arguments: %ld as a signed 32-bit
// number, %p in upper-case hex padded to `pointerDigits`; %% is a percent sign. A sequence past
// the third takes 0 and any other '%' stays as it is: a line the sequence check refuses is never
// filled, yet nothing here reads beyond the three values.
std::wstring FillCommandLine(std::wstring_view commandLine, const SystemArguments& values, std::size_t pointerDigits);

} // namespace jitswap
