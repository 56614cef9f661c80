// The few thread primitives the C++ runtime's own exception handling asks for (a lock over its
// emergency memory, and the per-thread slot and one-time set-up of its exception records), built
// on the system's. The threads library that the runtime would otherwise bring along for them, a
// whole implementation of POSIX threads, was a fourteenth of the executable; the program starts
// its threads with CreateThread and needs none of the rest. Its function-local statics take no
// lock either (-fno-threadsafe-statics): each is first met on the user-interface thread.
//
// As with LibraryFailures.cpp, these are found before the library's definitions; a part of the
// runtime that asked for one more function of the threads library would bring in the library's
// file that holds it, and its definitions of these, and the link would fail saying so.

#include <windows.h>

#include <pthread.h>

#include <cerrno>

namespace {

// A mutex is one pointer here, as the threads library's is, and so holds a slim reader/writer
// lock. A static one starts as the library's initializer, -1, which no lock state can be.
PSRWLOCK LockOf(pthread_mutex_t* mutex) noexcept
{
    static_assert(sizeof(pthread_mutex_t) == sizeof(SRWLOCK));
    InterlockedCompareExchangePointer(reinterpret_cast<void**>(mutex), nullptr,
                                      reinterpret_cast<void*>(PTHREAD_MUTEX_INITIALIZER));
    return reinterpret_cast<PSRWLOCK>(mutex);
}

SRWLOCK g_onceLock = SRWLOCK_INIT;

// The runtime makes one slot with a destructor (the per-thread records of the emulated thread-local
// storage); the system hands the destructor the slot's value, in its own calling convention.
void (*g_slotDestructor)(void*) = nullptr;

VOID NTAPI DestroySlotValue(PVOID value)
{
    if (value) g_slotDestructor(value);
}

} // namespace

extern "C" {

int pthread_mutex_init(pthread_mutex_t* mutex, const pthread_mutexattr_t*)
{
    InitializeSRWLock(reinterpret_cast<PSRWLOCK>(mutex));
    return 0;
}

int pthread_mutex_destroy(pthread_mutex_t*)
{
    return 0;
}

int pthread_mutex_lock(pthread_mutex_t* mutex)
{
    AcquireSRWLockExclusive(LockOf(mutex));
    return 0;
}

int pthread_mutex_unlock(pthread_mutex_t* mutex)
{
    ReleaseSRWLockExclusive(reinterpret_cast<PSRWLOCK>(mutex));
    return 0;
}

int pthread_once(pthread_once_t* once, void (*initialize)(void))
{
    if (InterlockedCompareExchange(once, 0, 0) != PTHREAD_ONCE_INIT) return 0;
    AcquireSRWLockExclusive(&g_onceLock);
    if (*once == PTHREAD_ONCE_INIT) {
        initialize();
        InterlockedExchange(once, 1);
    }
    ReleaseSRWLockExclusive(&g_onceLock);
    return 0;
}

int pthread_key_create(pthread_key_t* key, void (*destructor)(void*))
{
    if (destructor && g_slotDestructor && destructor != g_slotDestructor) return EAGAIN;
    const DWORD slot = FlsAlloc(destructor ? &DestroySlotValue : nullptr);
    if (slot == FLS_OUT_OF_INDEXES) return EAGAIN;
    if (destructor) g_slotDestructor = destructor;
    *key = slot;
    return 0;
}

void* pthread_getspecific(pthread_key_t key)
{
    return FlsGetValue(key);
}

int pthread_setspecific(pthread_key_t key, const void* value)
{
    return FlsSetValue(key, const_cast<void*>(value)) ? 0 : ENOMEM;
}

} // extern "C"
