#pragma once

namespace jitswap {

// The program's identity: the name of its single-instance claim and of its start-with-Windows
// registration. Both outlive versions of the program, so it never changes.
inline constexpr wchar_t AppGuid[] = L"{E2044C22-8466-457E-921A-18C0061EAA52}";

} // namespace jitswap
