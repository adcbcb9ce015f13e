#include "platform/FileSystem.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform {

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

bool directoryExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

bool createDirectories(const std::string& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    return directoryExists(path);
}

bool removeFileClearingAttributes(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !fs::exists(fs::symlink_status(path, ec))) {
        return true;
    }
    if (fs::exists(path, ec)) {
        fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    }
    if (!fs::is_directory(fs::symlink_status(path, ec))) {
        fs::remove(path, ec);
    }
    return !fs::exists(fs::symlink_status(path, ec));
}

bool copyFile(const std::string& from, const std::string& to, bool overwrite) {
    std::error_code ec;
    auto options = overwrite ? fs::copy_options::overwrite_existing : fs::copy_options::none;
    return fs::copy_file(from, to, options, ec) && !ec;
}

namespace {

// A file put in place of another takes its owner and rights: a database server running under its
// own account must open the new file as it opened the old one. Only root may give a file away.
bool takeOwnerAndRightsOf(const std::string& replaced, const std::string& file) {
    struct stat info {};
    if (::stat(replaced.c_str(), &info) != 0) {
        return true;
    }
    if (::geteuid() == 0 && ::chown(file.c_str(), info.st_uid, info.st_gid) != 0) {
        return false;
    }
    return ::chmod(file.c_str(), info.st_mode & 07777) == 0;
}

} // namespace

bool copyFileCompletely(const std::string& from, const std::string& to) {
    const std::string temporary = to + ".part";
    std::error_code ec;
    fs::remove(temporary, ec);
    bool copied = fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, ec) && !ec;
    copied = copied && takeOwnerAndRightsOf(to, temporary);
    if (copied) {
        const int fd = ::open(temporary.c_str(), O_RDONLY);
        copied = fd >= 0 && ::fsync(fd) == 0;
        if (fd >= 0) {
            ::close(fd);
        }
    }
    if (copied) {
        fs::rename(temporary, to, ec);
        copied = !ec;
    }
    if (!copied) {
        fs::remove(temporary, ec);
    }
    return copied;
}

std::uintmax_t freeSpace(const std::string& path) {
    fs::path at(path);
    std::error_code ec;
    while (!at.empty() && !fs::exists(at, ec)) {
        at = at.parent_path();
    }
    const auto info = fs::space(at.empty() ? fs::path(".") : at, ec);
    return ec ? 0 : info.available;
}

std::uintmax_t fileSize(const std::string& path) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    return ec ? 0 : size;
}

void replaceFileContents(const std::string& path, const std::string& contents) {
    const fs::path target(path);
    if (target.has_parent_path()) {
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
    }
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << contents;
        out.flush();
        if (!out) {
            std::error_code ec;
            fs::remove(temporary, ec);
            throw std::runtime_error("cannot write the file " + temporary);
        }
    }
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) {
        fs::remove(temporary, ec);
        throw std::runtime_error("cannot replace the file " + path + ": " + ec.message());
    }
}

bool readWholeFile(const std::string& path, std::string& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    contents = buffer.str();
    return !in.bad();
}

std::string withSeparator(const std::string& folder) {
    if (folder.empty() || folder.back() == kSeparator) {
        return folder;
    }
    return folder + kSeparator;
}

std::string executablePath() {
    std::error_code ec;
    auto path = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : path.string();
}

} // namespace platform
