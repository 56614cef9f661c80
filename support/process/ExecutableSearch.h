#pragma once
// Finding a program as Windows does when it starts a command line.

#include <optional>
#include <string>

namespace jitswap {

// The full path of `file` looked for in `folders` (';'-separated), or, when `folders` is null,
// where Windows looks for a program it starts: the program's folder, the current folder, the
// system's folders and the path. `extension` (".exe") is added to a name without one.
std::optional<std::wstring> SearchFile(const wchar_t* folders, const std::wstring& file, const wchar_t* extension);

// The full path of the file `executable` (a path, or a bare name searched for) names, after
// expanding environment variables and adding ".exe" to a name without an extension; looked for in
// `folders` as SearchFile does. std::nullopt for none, or for a folder.
std::optional<std::wstring> FindExecutable(const std::wstring& executable, const wchar_t* folders = nullptr);

// True when FindExecutable finds it where Windows looks for a program it starts.
bool WindowsFindsExecutable(const std::wstring& executable);

} // namespace jitswap
