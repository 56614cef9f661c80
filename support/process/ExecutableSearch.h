#pragma once
// Finding a program as Windows does when it starts a command line.

#include <optional>
#include <string>

namespace jitswap {

// The full path of `file` looked for in `folders` (';'-separated), or, when `folders` is null,
// where Windows looks for a program it starts: the program's folder, the current folder, the
// system's folders and the path. `extension` (".exe") is added to a name without one.
std::optional<std::wstring> SearchFile(const wchar_t* folders, const std::wstring& file, const wchar_t* extension);

// True when `executable` (a path, or a bare name searched for) names an existing file, after
// expanding environment variables and adding ".exe" to a name without an extension.
bool WindowsFindsExecutable(const std::wstring& executable);

} // namespace jitswap
