#include "support/shell/FolderDialog.h"

#include "support/win32/ComApartment.h"
#include "support/win32/SystemLibrary.h"
#include "support/win32/Win32Error.h"

#include <shobjidl.h>

namespace jitswap {
namespace {

// Releases a COM interface when it goes out of scope.
template <class Interface>
struct Released {
    Interface* pointer = nullptr;
    ~Released()
    {
        if (pointer) pointer->Release();
    }
};

void Check(HRESULT result, const char* what)
{
    if (FAILED(result)) throw Win32Error(what, static_cast<DWORD>(result));
}

} // namespace

bool FolderDialog::Show()
{
    // COM is loaded when first asked for: most runs of the program never are.
    const ComApartment apartment;
    const SystemLibrary ole(L"ole32.dll");
    const auto create = ole.Get<decltype(&CoCreateInstance)>("CoCreateInstance");

    Released<IFileOpenDialog> dialog;
    Check(create(__uuidof(FileOpenDialog), nullptr, CLSCTX_INPROC_SERVER, __uuidof(IFileOpenDialog),
                 reinterpret_cast<void**>(&dialog.pointer)),
          "Creating the folder dialog");
    FILEOPENDIALOGOPTIONS options = 0;
    Check(dialog.pointer->GetOptions(&options), "Reading the folder dialog's options");
    Check(dialog.pointer->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST |
                                     FOS_NOCHANGEDIR),
          "Setting the folder dialog's options");
    if (!Title.empty()) Check(dialog.pointer->SetTitle(Title.c_str()), "Setting the folder dialog's title");

    const HRESULT shown = dialog.pointer->Show(Owner);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return false;
    Check(shown, "Showing the folder dialog");

    Released<IShellItem> item;
    Check(dialog.pointer->GetResult(&item.pointer), "Reading the chosen folder");
    wchar_t* path = nullptr;
    Check(item.pointer->GetDisplayName(SIGDN_FILESYSPATH, &path), "Reading the chosen folder's path");
    m_folderName = path;
    ole.Get<decltype(&CoTaskMemFree)>("CoTaskMemFree")(path);
    return true;
}

} // namespace jitswap
