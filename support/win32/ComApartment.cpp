#include "support/win32/ComApartment.h"

#include <objbase.h>

namespace jitswap {

ComApartment::ComApartment()
{
    const auto initialise = m_ole.Get<decltype(&CoInitializeEx)>("CoInitializeEx");
    // A thread already in an apartment keeps it; only a call that succeeded is undone.
    m_initialised = SUCCEEDED(initialise(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

ComApartment::~ComApartment()
{
    if (m_initialised) m_ole.Get<decltype(&CoUninitialize)>("CoUninitialize")();
}

} // namespace jitswap
