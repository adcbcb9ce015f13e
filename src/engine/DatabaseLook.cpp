#include "engine/DatabaseLook.h"

#include "engine/InstallationLogin.h"
#include "engine/TableFormats.h"
#include "engine/firebird/Connection.h"
#include "engine/firebird/FbStatus.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"
#include "platform/FileSystem.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

namespace engine {
namespace {

namespace fs = std::filesystem;

// Firebird's engine locks a file it has open with flock, exclusively; a shared lock
// that cannot be had means another process has it open.
bool heldByAnotherProcess(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

// A folder of its own in the temporary folder, removed with everything in it when it goes.
class PrivateFolder {
public:
    PrivateFolder() {
        std::string pattern = (fs::temp_directory_path() / "zuruzod-look-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::system_error(errno, std::generic_category(), "cannot make a folder in the temporary folder");
        }
        m_path = pattern;
    }
    ~PrivateFolder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

void readStampAndJournal(const std::string& path, DatabaseLook& look) {
    fb::Connection connection;
    connection.attach(path, installationLoginLines());
    fb::Transaction read(connection, fb::Transaction::readParameters());
    fb::Query stamp(read);
    stamp.SQL = {"SELECT Version, ServicePack, Build", "FROM kv_Setting"};
    stamp.open();
    if (stamp.eof()) {
        throw std::runtime_error("kv_Setting holds no stamp");
    }
    look.stamp = Stamp{static_cast<int>(stamp.fieldAsInteger(0)), static_cast<int>(stamp.fieldAsInteger(1)),
                       static_cast<int>(stamp.fieldAsInteger(2))};
    stamp.close();
    look.opens = true;
    // A 7.12 database keeps no journal.
    fb::Query table(read);
    table.SQL = {"SELECT COUNT(*) FROM RDB$RELATIONS", "WHERE RDB$RELATION_NAME = 'LOG_UPGRADE'"};
    table.open();
    const bool journalled = table.fieldAsInteger(0) > 0;
    table.close();
    if (journalled) {
        fb::Query rows(read);
        rows.SQL = {"SELECT uVersion, uTime", "FROM log_Upgrade", "ORDER BY uTime, uVersion"};
        for (rows.open(); !rows.eof(); rows.next()) {
            look.journal.push_back({rows.fieldAsString(0), rows.fieldAsString(1)});
        }
    }
    read.commit();
}

// Firebird's text names the file it read; for a private copy that is the database's own path to the user.
std::string naming(std::string text, const std::string& copy, const std::string& path) {
    for (auto at = text.find(copy); !copy.empty() && at != std::string::npos; at = text.find(copy, at + path.size())) {
        text.replace(at, copy.size(), path);
    }
    return text;
}

} // namespace

DatabaseLook lookAtDatabase(const std::string& path) {
    DatabaseLook look;
    look.present = !path.empty() && platform::fileExists(path);
    if (!look.present) {
        return look;
    }
    look.heldElsewhere = heldByAnotherProcess(path);
    std::optional<PrivateFolder> folder;
    std::string read = path;
    if (!look.heldElsewhere) {
        try {
            folder.emplace();
            read = (folder->path() / fs::path(path).filename()).string();
            fs::copy_file(path, read);
        } catch (const std::exception& error) {
            look.copyFailed = true;
            look.problem = "no private copy to read could be made in the temporary folder (" +
                           std::string(error.what()) + "); set TMPDIR to a folder with room for it";
            return look;
        }
    }
    try {
        readStampAndJournal(read, look);
        look.tableFormats = readTableFormats(read);
    } catch (const fb::FbError& error) {
        look.problem = fb::describeKind(error.kind()) + " (" + naming(error.what(), read, path) + ")";
    } catch (const std::exception& error) {
        look.problem = naming(error.what(), read, path);
    }
    return look;
}

} // namespace engine
