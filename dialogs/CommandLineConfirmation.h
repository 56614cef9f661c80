#pragma once
// The questions a command line raises before it is stored: refused outright when the system must
// not get it, quotes offered for a path with blanks, a warning for an executable that is not
// there or a command line that does not pass the process id.

#include <string>
#include <string_view>

namespace jitswap {

// Asks what the findings call for. `which` names the command line in the messages ("" for the
// main one). May put the executable in quotes when the user agrees. False when the user declined
// or the command line is refused: the dialog stays open.
bool ConfirmCommandLine(std::wstring& commandLine, std::wstring_view which);

} // namespace jitswap
