#pragma once
// A Windows slim reader/writer lock and its scoped holders: a lock is never held past the end
// of the scope that took it, also when that scope throws.

#include <windows.h>

class SlimLock {
public:
    SlimLock() = default;
    SlimLock(const SlimLock&) = delete;
    SlimLock& operator=(const SlimLock&) = delete;

    PSRWLOCK Get() { return &lock_; }

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
};

class SharedLock {
public:
    explicit SharedLock(SlimLock& lock) : lock_(lock) { AcquireSRWLockShared(lock_.Get()); }
    ~SharedLock() { ReleaseSRWLockShared(lock_.Get()); }
    SharedLock(const SharedLock&) = delete;
    SharedLock& operator=(const SharedLock&) = delete;

private:
    SlimLock& lock_;
};

class ExclusiveLock {
public:
    explicit ExclusiveLock(SlimLock& lock) : lock_(lock) { AcquireSRWLockExclusive(lock_.Get()); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(lock_.Get()); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    SlimLock& lock_;
};
