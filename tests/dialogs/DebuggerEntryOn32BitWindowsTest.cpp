// The entry dialog on 32-bit Windows, which has one AeDebug key: this program's own answer to the
// bitness question replaces the support library's.
#include "dialogs/frmDebuggerEntry.h"
#include "support/win32/WindowsBitness.h"

#include <gtest/gtest.h>

namespace jitswap {
bool IsWindows64Bit() { return false; }
} // namespace jitswap

using namespace jitswap;

TEST(DebuggerEntryOn32BitWindows, HidesTheRowFor32BitProgramsAndKeepsItsFormerSize)
{
    frmDebuggerEntry entry;
    HWND window = entry.Handle();
    for (int id : {frmDebuggerEntry::kLblTag2, frmDebuggerEntry::kTxtCommandLine32, frmDebuggerEntry::kCmdBrowse32})
        EXPECT_FALSE(GetWindowLongPtrW(GetDlgItem(window, id), GWL_STYLE) & WS_VISIBLE) << id;
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom, 149);
    RECT ok{};
    GetWindowRect(GetDlgItem(window, frmDebuggerEntry::kCmdOk), &ok);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&ok), 2);
    EXPECT_EQ(ok.top, 112) << "the buttons where they always were";

    // An entry edited here keeps the command line it was given for 32-bit programs elsewhere.
    entry.SetEntry({L"", {L"", L"dbg32.exe -p %ld", false}});
    EXPECT_EQ(entry.Entry().choice.commandLine32, L"dbg32.exe -p %ld");
    entry.Unload();
}
