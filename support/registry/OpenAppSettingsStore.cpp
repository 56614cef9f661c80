#include "support/registry/OpenAppSettingsStore.h"
#include "support/registry/RegistrySettingsStore.h"

namespace jitswap {
namespace {

// Two processes of the user may load or save at once (the tray program and a switch from the
// command line); they take turns, so that a load never repairs a save still under way. A turn is
// the thread's: a store opened while another is open takes it again at once, so holding one
// store open makes a load and the save after it one turn.
class TakingTurnsSettingsStore final : public RegistrySettingsStore {
public:
    TakingTurnsSettingsStore() : RegistrySettingsStore(HKEY_CURRENT_USER, kAppSettingsPath)
    {
        m_turn.reset(CreateMutexW(nullptr, FALSE, L"Local\\Quarvel Jitswap settings"));
        // A turn is one load or save, a few milliseconds. One that never ends (a process stopped
        // in a debugger) must not stop this one: after the wait it goes on without its turn.
        // A process that ended during its turn hands the turn over all the same (WAIT_ABANDONED).
        const DWORD waited = m_turn ? WaitForSingleObject(m_turn.get(), 10'000) : WAIT_FAILED;
        m_holdsTurn = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    ~TakingTurnsSettingsStore() override
    {
        if (m_holdsTurn) ReleaseMutex(m_turn.get());
    }
    TakingTurnsSettingsStore(const TakingTurnsSettingsStore&) = delete;
    TakingTurnsSettingsStore& operator=(const TakingTurnsSettingsStore&) = delete;

private:
    UniqueHandle m_turn;
    bool m_holdsTurn = false;
};

} // namespace

std::unique_ptr<SettingsStore> OpenAppSettingsStore()
{
    return std::make_unique<TakingTurnsSettingsStore>();
}

} // namespace jitswap
