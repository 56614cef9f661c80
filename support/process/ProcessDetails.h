#pragma once
// What the system tells of another process: its executable, its bitness, the account it runs as
// and whether that account is the one logged on in a session. Used only when the system starts
// this program for a crashed one.

#include <windows.h>

#include <string>

namespace jitswap {

// The full path of the process's executable. Throws when the system does not tell.
std::wstring ProcessImagePath(HANDLE process);

// True for a 32-bit process: on 32-bit Windows, or under WOW64 on 64-bit Windows.
bool IsProcess32Bit(HANDLE process);

// "DOMAIN\name" of the account the process runs as; empty when the system does not tell (another
// account's process, typically).
std::wstring ProcessAccount(HANDLE process);

// Whether `account` ("DOMAIN\name") is the user logged on interactively in that session. The
// services' session has no such user.
bool IsSessionUser(DWORD session, const std::wstring& account);

} // namespace jitswap
