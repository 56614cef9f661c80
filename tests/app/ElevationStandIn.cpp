#include "tests/app/ElevationStandIn.h"

#include "support/process/Elevation.h"
#include "tests/app/JitswapProcess.h"

#include <shellapi.h>

#include <stdexcept>

namespace jitswap {
namespace {

test::ElevationStandIn g_standIn;

} // namespace

namespace test {

ElevationStandIn& Elevation()
{
    return g_standIn;
}

void ResetElevation()
{
    g_standIn = ElevationStandIn{};
}

} // namespace test

bool IsProcessElevated()
{
    return g_standIn.elevated;
}

UniqueHandle StartSelfElevated(HWND, const std::wstring& parameters)
{
    // Read back as the started copy reads its own command line.
    std::wstring commandLine = L"\"" + test::BuiltExecutable() + L"\" " + parameters;
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(commandLine.c_str(), &count);
    g_standIn.starts.emplace_back(arguments + 1, arguments + count);
    LocalFree(arguments);
    if (!g_standIn.userAgrees) return UniqueHandle();

    if (g_standIn.grantRights) g_standIn.grantRights();
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    std::wstring executable = test::BuiltExecutable();
    if (g_standIn.copyEndsWith) {
        executable.clear();
        commandLine = L"cmd.exe /c exit " + std::to_wstring(*g_standIn.copyEndsWith);
    }
    if (!CreateProcessW(executable.empty() ? nullptr : executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        0, nullptr, nullptr, &startup, &process))
        throw std::runtime_error("starting the elevated copy's stand-in");
    CloseHandle(process.hThread);
    return UniqueHandle(process.hProcess);
}

} // namespace jitswap
