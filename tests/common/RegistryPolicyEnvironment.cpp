// Linked into every test program of the Windows build: what the program does to the registry of
// a machine that is not disposable (tests/common/ScratchRegistryRoots.h). The build gives the
// policy as JITSWAP_TEST_REGISTRY_POLICY:
//   1  the program writes the system's or the user's settings: its roots are redirected;
//   2  it needs the real registry (it starts other processes that read it): it is skipped;
//   0  it touches only keys of its own: nothing is done.

#include "tests/common/ScratchRegistryRoots.h"

#include <gtest/gtest.h>

#include <memory>

namespace jitswap::test {
namespace {

class RegistryPolicyEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (MachineIsDisposable()) return;
        if (JITSWAP_TEST_REGISTRY_POLICY == 2) GTEST_SKIP() << "needs the real registry of a disposable machine";
        if (JITSWAP_TEST_REGISTRY_POLICY == 1) m_roots = std::make_unique<ScratchRegistryRoots>();
    }
    void TearDown() override { m_roots.reset(); }

private:
    std::unique_ptr<ScratchRegistryRoots> m_roots;
};

[[maybe_unused]] ::testing::Environment* const registered =
    ::testing::AddGlobalTestEnvironment(new RegistryPolicyEnvironment);

} // namespace
} // namespace jitswap::test
