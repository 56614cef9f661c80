#pragma once
// A COM apartment on this thread for the duration of a call into the shell (opening a file,
// the file dialog), whose handlers may need one. The program needs COM nowhere else, so it does
// not pay for loading it at start-up.

#include "support/win32/SystemLibrary.h"

namespace jitswap {

class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    SystemLibrary m_ole{L"ole32.dll"};
    bool m_initialised = false;
};

} // namespace jitswap
