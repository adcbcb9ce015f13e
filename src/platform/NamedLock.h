#pragma once

#include <string>

namespace platform {

// A lock named across the processes of one user on one machine: a file in the
// user's runtime folder, held with flock while the object holds it. The system
// drops it when the holding process ends, however it ends.
class NamedLock {
public:
    enum class Result {
        Acquired,      // this object holds the lock
        HeldElsewhere, // another holder has it
        Unavailable,   // the lock file cannot be made or locked
    };

    // A lock on the file at that path, shared by the processes of every user who may read it:
    // what one installation's users and sessions agree on, whatever their runtime folders.
    struct AtPath {
        std::string file;
    };

    explicit NamedLock(std::string name);
    explicit NamedLock(AtPath path);
    ~NamedLock();
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;

    // Takes the lock without waiting; Acquired again when this object already holds it.
    Result tryAcquire();
    void release();
    bool held() const { return m_fd >= 0; }
    const std::string& file() const { return m_file; }

    // Whether some holder other than the asker has the named lock; creates nothing.
    static bool isHeldElsewhere(const std::string& name);
    // "$XDG_RUNTIME_DIR/<name>.<uid>.lock", or under /tmp without a runtime folder.
    static std::string fileOf(const std::string& name);

private:
    std::string m_file;
    // Who else may open the file: only its owner for a lock of one user.
    unsigned m_mode = 0600;
    int m_fd = -1;
};

} // namespace platform
