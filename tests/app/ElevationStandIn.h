#pragma once
// The stand-in for the consent prompt, in a test program that links ElevationStandIn.cpp in place
// of the support library's elevation: Wine has no UAC. By default the process counts as elevated,
// as every program under Wine is, so nothing asks.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace jitswap::test {

struct ElevationStandIn {
    bool elevated = true;
    // The user's answer: no (nothing starts), or yes (the built jitswap.exe runs with the
    // parameters given, after `grantRights` played the part of the rights elevation brings).
    bool userAgrees = true;
    std::function<void()> grantRights;
    // When set, a process that only ends with this code stands in for the copy itself, and
    // `grantRights` plays the part of what the copy wrote.
    std::optional<int> copyEndsWith;
    // Each start asked for: the arguments as the started copy reads them, its own name left out.
    std::vector<std::vector<std::wstring>> starts;
};

// The stand-in's settings; ResetElevation puts back the defaults.
ElevationStandIn& Elevation();
void ResetElevation();

} // namespace jitswap::test
