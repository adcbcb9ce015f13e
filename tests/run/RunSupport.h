#pragma once

#include "engine/DataModule.h"
#include "engine/EngineState.h"
#include "engine/PackToolkit.h"
#include "environment/KvSetting.h"
#include "platform/FileSystem.h"
#include "support/TestInstallation.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <sys/mount.h>
#include <tuple>
#include <vector>

namespace run_testing {

// A small file system of its own in place of a folder, holding what the folder held, for the
// life of the object: a disk that fills up. Only root may mount one; see mounted().
class SmallDisk {
public:
    SmallDisk(const std::string& folder, int megabytes) : m_folder(std::filesystem::path(folder).lexically_normal()) {
        if (m_folder.filename().empty()) {
            m_folder = m_folder.parent_path();
        }
        const std::filesystem::path stash = m_folder.string() + ".held";
        std::filesystem::create_directories(m_folder);
        std::filesystem::rename(m_folder, stash);
        std::filesystem::create_directory(m_folder);
        const std::string size = "size=" + std::to_string(megabytes) + "m";
        m_mounted = ::mount("tmpfs", m_folder.c_str(), "tmpfs", 0, size.c_str()) == 0;
        std::filesystem::copy(stash, m_folder, std::filesystem::copy_options::recursive);
        std::filesystem::remove_all(stash);
    }
    ~SmallDisk() {
        if (m_mounted) {
            ::umount2(m_folder.c_str(), MNT_DETACH);
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return m_mounted; }

private:
    std::filesystem::path m_folder;
    bool m_mounted = false;
};

inline constexpr char kTransactionPage = 3;
inline constexpr char kPointerPage = 4;

// Overwrites bytes of the first page of a type with 0xFF.
inline void overwriteFirstPageOfType(const std::string& path, char type, size_t offset, size_t length) {
    std::string image;
    ASSERT_TRUE(platform::readWholeFile(path, image));
    const size_t pageSize = static_cast<unsigned char>(image[16]) | static_cast<unsigned char>(image[17]) << 8;
    size_t page = 1;
    while (page * pageSize < image.size() && image[page * pageSize] != type) {
        ++page;
    }
    ASSERT_LT(page * pageSize, image.size()) << path;
    image.replace(page * pageSize + offset, length, length, '\xff');
    platform::replaceFileContents(path, image);
}

// The database paths the program derives, set as the wizard sets them.
inline void pointAtInstallation(const testing_support::TestInstallation& installation) {
    engine::KolvoStep = 0;
    engine::fileSorvin = installation.layout().kalver800 + "Sorvin.fdb";
    environment::kvSetting.KVFile.FileOrdersServer = installation.database("OrdersServer");
}

// A version-8 installation with every database at one stamp, some at their own, some left out.
inline tools::InstallationSpec stampedSpec(tools::Stamp stamp, std::map<std::string, tools::Stamp> stampOf = {},
                                           std::set<std::string> omit = {}) {
    tools::InstallationSpec spec;
    spec.stamp = stamp;
    spec.stampOf = std::move(stampOf);
    spec.omit = std::move(omit);
    return spec;
}

// 7.12 databases already copied into the version-8 folder, as the conversion copy leaves them.
inline tools::InstallationSpec set712InVersion8Folder(std::set<std::string> omit = {}) {
    tools::InstallationSpec spec = stampedSpec({7, 12, 4}, {}, std::move(omit));
    spec.release = tools::Release::V8;
    spec.schema = tools::Release::V712;
    return spec;
}

// A database's stamp, or (-1, -1, -1) when it cannot be read.
inline std::tuple<int, int, int> stampOf(const std::string& path) {
    const int saved = engine::KolvoStep;
    int v = -1, sp = -1, bb = -1;
    {
        engine::TDM1 module;
        if (!module.read_VersionServicePackBuild(path, v, sp, bb)) {
            v = sp = bb = -1;
        }
    }
    engine::KolvoStep = saved;
    return {v, sp, bb};
}

// Rows of a table matching a condition; -1 when the table cannot be read.
inline int rowCount(const std::string& path, const std::string& table, const std::string& where = "") {
    const int saved = engine::KolvoStep;
    int count = -1;
    {
        engine::TDM1 module;
        if (module.OpenDataBase(path)) {
            engine::KolvoStep = 0;
            const int read = module.ft_TableReadRecordCount(table, where);
            // The probe counts its step only when the query succeeded.
            count = engine::KolvoStep == 1 ? read : -1;
        }
    }
    engine::KolvoStep = saved;
    return count;
}

// The shape of a database, a line per column of each user table in a fixed order:
// "TABLE.COLUMN type/sub-type/length/scale", and a line per table with its row count.
inline std::vector<std::string> shapeOf(const std::string& path) {
    const int saved = engine::KolvoStep;
    std::vector<std::string> lines;
    {
        engine::TDM1 module;
        if (module.OpenDataBase(path)) {
            engine::readRows(
                module, module.IBTrRead,
                {"SELECT TRIM(r.RDB$RELATION_NAME) || '.' || TRIM(r.RDB$FIELD_NAME) || ' ' || f.RDB$FIELD_TYPE || '/' "
                 "||",
                 "COALESCE(f.RDB$FIELD_SUB_TYPE, 0) || '/' || COALESCE(f.RDB$CHARACTER_LENGTH, f.RDB$FIELD_LENGTH) || "
                 "'/' ||",
                 "COALESCE(f.RDB$FIELD_SCALE, 0)",
                 "FROM RDB$RELATION_FIELDS r JOIN RDB$FIELDS f ON f.RDB$FIELD_NAME = r.RDB$FIELD_SOURCE",
                 "JOIN RDB$RELATIONS t ON t.RDB$RELATION_NAME = r.RDB$RELATION_NAME",
                 "WHERE COALESCE(t.RDB$SYSTEM_FLAG, 0) = 0 AND t.RDB$VIEW_BLR IS NULL", "ORDER BY 1"},
                [&](const engine::Row& row) { lines.push_back(engine::textField(row, 0)); }, engine::OnFailure::Commit);
        }
    }
    engine::KolvoStep = saved;
    return lines;
}

// Run-log lines without their "HH:mm:ss: " time prefix; a line without one is kept whole.
inline std::vector<std::string> withoutTimes(const std::vector<std::string>& lines) {
    std::vector<std::string> result;
    for (const auto& line : lines) {
        const bool timed = line.size() >= 10 && line[2] == ':' && line[5] == ':' && line.compare(8, 2, ": ") == 0;
        result.push_back(timed ? line.substr(10) : line);
    }
    return result;
}

} // namespace run_testing
