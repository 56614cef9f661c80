#include "tests/common/ProcessOutput.h"

#include "support/win32/UniqueHandle.h"
#include "support/win32/Win32Error.h"

namespace jitswap::test {

ProcessOutput RunForOutput(std::wstring commandLine)
{
    // Under Wine the first program to use the desktop starts the desktop's process, which would
    // inherit the pipe and keep it open after the program ended: let it start from here.
    GetDesktopWindow();

    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) ThrowLastError("Creating a pipe");
    UniqueHandle reader(readEnd);
    UniqueHandle writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process))
        ThrowLastError("Starting a program");
    UniqueHandle processHandle(process.hProcess);
    UniqueHandle threadHandle(process.hThread);
    writer.reset();

    ProcessOutput result;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(readEnd, chunk, sizeof(chunk), &read, nullptr) && read > 0) result.output.append(chunk, read);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    return result;
}

} // namespace jitswap::test
