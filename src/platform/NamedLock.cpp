#include "platform/NamedLock.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

std::string runtimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (runtime && runtime[0] == '/' && ::stat(runtime, &info) == 0 && S_ISDIR(info.st_mode)) {
        return runtime;
    }
    return "/tmp";
}

int lockWithoutWaiting(int fd, int operation) {
    int result = 0;
    do {
        result = ::flock(fd, operation | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result;
}

} // namespace

NamedLock::NamedLock(std::string name) : m_file(fileOf(name)) {}

NamedLock::NamedLock(AtPath path) : m_file(std::move(path.file)), m_mode(0644) {}

NamedLock::~NamedLock() {
    release();
}

std::string NamedLock::fileOf(const std::string& name) {
    std::string safe = name;
    for (char& c : safe) {
        if (c == '/') {
            c = '_';
        }
    }
    // The user id in the name keeps users apart when the folder is the shared /tmp.
    return runtimeFolder() + "/" + safe + "." + std::to_string(::getuid()) + ".lock";
}

NamedLock::Result NamedLock::tryAcquire() {
    if (held()) {
        return Result::Acquired;
    }
    // flock needs no write access: a file another user made can be locked too.
    const int fd = ::open(m_file.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, m_mode);
    if (fd < 0) {
        return Result::Unavailable;
    }
    if (lockWithoutWaiting(fd, LOCK_EX) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy ? Result::HeldElsewhere : Result::Unavailable;
    }
    m_fd = fd;
    return Result::Acquired;
}

void NamedLock::release() {
    if (held()) {
        // The file stays: removing it could leave two holders, one of the
        // removed file and one of a new file of the same name.
        ::close(m_fd);
        m_fd = -1;
    }
}

bool NamedLock::isHeldElsewhere(const std::string& name) {
    const int fd = ::open(fileOf(name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool busy = lockWithoutWaiting(fd, LOCK_SH) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return busy;
}

} // namespace platform
