#include "platform/Registry.h"
#include "platform/FileSystem.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

using platform::RegistryStore;

const std::string kInstall = "SOFTWARE\\Vesk\\Калвер\\8.00\\";
const std::string kInstallNoSlash = "SOFTWARE\\Vesk\\Калвер\\8.00";
const std::string kTrellan = "SOFTWARE\\Vesk\\trellan\\";

std::string contentsOf(const std::string& file) {
    std::string text;
    EXPECT_TRUE(platform::readWholeFile(file, text)) << file;
    return text;
}

class RegistryStoreTest : public ::testing::Test {
protected:
    std::string file() const { return dir.path() + "Vesk/registry.ini"; }
    RegistryStore store() const { return RegistryStore(file()); }
    void writeFile(const std::string& text) const { platform::replaceFileContents(file(), text); }

    testing_support::TempDir dir;
};

TEST_F(RegistryStoreTest, StringsAndIntegersUnderCyrillicKeys) {
    const auto s = store();
    s.writeString(kInstall, "DirBase", "/srv/Калвер/Данные/");
    s.writeInteger(kInstall, "ServicePack", 7);
    s.writeInteger(kInstall, "Баланс", -42);

    EXPECT_EQ(s.readString(kInstall, "DirBase"), "/srv/Калвер/Данные/");
    EXPECT_EQ(s.readInteger(kInstall, "ServicePack"), 7);
    EXPECT_EQ(s.readInteger(kInstall, "Баланс"), -42);
    // An integer reads back as its decimal text too, as a string value would.
    EXPECT_EQ(s.readString(kInstall, "ServicePack"), "7");
}

// The installer writes key paths with a trailing backslash; readers may leave it off.
TEST_F(RegistryStoreTest, KeyPathWithAndWithoutTrailingBackslashNameOneKey) {
    struct Case {
        std::string written;
        std::string read;
    };
    const Case cases[] = {
        {kInstall, kInstall},
        {kInstall, kInstallNoSlash},
        {kInstallNoSlash, kInstall},
        {kInstallNoSlash, kInstallNoSlash},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written + " -> " + c.read);
        testing_support::TempDir own;
        const RegistryStore s(own.path() + "registry.ini");
        s.writeString(c.written, "DirProgram", "/opt/kv/");
        EXPECT_TRUE(s.keyExists(c.read));
        EXPECT_EQ(s.readString(c.read, "DirProgram"), "/opt/kv/");
        std::string text;
        ASSERT_TRUE(platform::readWholeFile(s.file(), text));
        EXPECT_EQ(text, "[" + kInstallNoSlash + "]\nDirProgram=/opt/kv/\n");
    }
}

TEST_F(RegistryStoreTest, SecondWriteThroughOtherSpellingUpdatesTheSameKey) {
    const auto s = store();
    s.writeInteger(kInstall, "Build", 1);
    s.writeInteger(kInstallNoSlash, "Build", 2);
    EXPECT_EQ(contentsOf(file()), "[" + kInstallNoSlash + "]\nBuild=2\n");
}

// The Windows registry ignores the case of key and value names, Cyrillic included.
TEST_F(RegistryStoreTest, NamesCompareWithoutCase) {
    writeFile("[SOFTWARE\\Vesk\\Калвер\\8.00]\nDirBase=/data/\n");
    const auto s = store();
    EXPECT_EQ(s.readString("software\\vesk\\КАЛВЕР\\8.00\\", "DIRBASE"), "/data/");
    EXPECT_EQ(s.readString("SOFTWARE\\VESK\\калвер\\8.00", "dirbase"), "/data/");
    EXPECT_FALSE(s.readString("SOFTWARE\\Vesk\\Калверт\\8.00", "DirBase"));

    s.writeString("SOFTWARE\\VESK\\КАЛВЕР\\8.00\\", "DIRBASE", "/other/");
    EXPECT_EQ(contentsOf(file()), "[SOFTWARE\\Vesk\\Калвер\\8.00]\nDirBase=/other/\n");
}

TEST_F(RegistryStoreTest, MissingFileKeyOrValueReadsAsMissing) {
    const auto s = store();
    EXPECT_FALSE(s.keyExists(kInstall));
    EXPECT_FALSE(s.readString(kInstall, "DirBase"));
    EXPECT_FALSE(s.readInteger(kInstall, "Build"));

    writeFile("[SOFTWARE\\Vesk\\trellan]\nBasePath800=/base/\n\n[SOFTWARE\\Vesk\\Калвер\\8.00]\nBuild=24\n");
    EXPECT_FALSE(s.keyExists("SOFTWARE\\Vesk\\Калвер\\7.00\\"));
    EXPECT_FALSE(s.readString("SOFTWARE\\Vesk\\Калвер\\7.00\\", "Build"));
    EXPECT_FALSE(s.readString(kInstall, "ServicePack"));
    // A value of another key is not found under this one.
    EXPECT_FALSE(s.readString(kInstall, "BasePath800"));
    EXPECT_EQ(s.readInteger(kInstall, "Build"), 24);
}

TEST_F(RegistryStoreTest, EmptyValueIsPresentAndNotAnInteger) {
    writeFile("[" + kInstallNoSlash + "]\ntypeInstall=\nNumberFirm=twelve\nBuild= 24 \n");
    const auto s = store();
    EXPECT_EQ(s.readString(kInstall, "typeInstall"), "");
    EXPECT_FALSE(s.readInteger(kInstall, "typeInstall"));
    EXPECT_FALSE(s.readInteger(kInstall, "NumberFirm"));
    EXPECT_EQ(s.readString(kInstall, "Build"), " 24 ");
    EXPECT_EQ(s.readInteger(kInstall, "Build"), 24);
}

TEST_F(RegistryStoreTest, HandEditedFileWithBomCrLfCommentsAndBlanksIsRead) {
    writeFile("\xEF\xBB\xBF; written by hand\r\n\r\n  [SOFTWARE\\Vesk\\Калвер\\8.00\\]  \r\n# the data root\r\n"
              "DirBase = /data/with spaces \r\n");
    const auto s = store();
    EXPECT_TRUE(s.keyExists(kInstall));
    // The name is trimmed; the value keeps its blanks but not the line's CR.
    EXPECT_EQ(s.readString(kInstall, "DirBase"), " /data/with spaces ");
}

// An empty store is a valid one; the installation builder writes such a user store.
TEST_F(RegistryStoreTest, EmptyFileHoldsNoKeysAndAcceptsWrites) {
    writeFile("");
    const auto s = store();
    EXPECT_FALSE(s.keyExists(kTrellan));
    s.writeString(kTrellan, "BasePath800", "/base");
    EXPECT_EQ(contentsOf(file()), "[SOFTWARE\\Vesk\\trellan]\nBasePath800=/base\n");
}

TEST_F(RegistryStoreTest, CorruptFileReadsAsMissingAndRefusesWrites) {
    const std::string cases[] = {
        "DirBase=/data/\n",                                 // a value before any key
        "[SOFTWARE\\Vesk\\Калвер\\8.00\nDirBase=/data/\n",  // a key without its closing bracket
        "[SOFTWARE\\Vesk\\Калвер\\8.00]\nDirBase /data/\n", // a line without "="
        "[SOFTWARE\\Vesk\\Калвер\\8.00]\n=/data/\n",        // a value without a name
        "[]\nDirBase=/data/\n",                             // a key without a name
        std::string("\x00\x01\xFF\xFE garbage", 12),
    };
    for (const auto& text : cases) {
        SCOPED_TRACE(text);
        writeFile(text);
        const auto s = store();
        EXPECT_FALSE(s.keyExists(kInstall));
        EXPECT_FALSE(s.readString(kInstall, "DirBase"));
        EXPECT_FALSE(s.readInteger(kInstall, "DirBase"));
        EXPECT_THROW(s.writeString(kInstall, "DirBase", "/new/"), std::runtime_error);
        EXPECT_THROW(s.writeInteger(kInstall, "Build", 1), std::runtime_error);
        EXPECT_EQ(contentsOf(file()), text);
    }
}

TEST_F(RegistryStoreTest, WritingKeepsTheOtherValuesAndKeys) {
    writeFile("[SOFTWARE\\Vesk\\trellan]\nBasePath800=/base/\n\n"
              "[SOFTWARE\\Vesk\\Калвер\\8.00]\nServicePack=3\nBuild=10\n\n"
              "[SOFTWARE\\Vesk\\Калвер\\7.00]\nDirBase=/old/\n");
    const auto s = store();
    s.writeInteger(kInstall, "ServicePack", 7);
    s.writeInteger(kInstall, "Ревизия", 2);
    s.writeString("SOFTWARE\\Vesk\\Калвер\\8.00\\Pack\\", "Name", "8.00.07");

    EXPECT_EQ(contentsOf(file()), "[SOFTWARE\\Vesk\\trellan]\nBasePath800=/base/\n\n"
                                  "[SOFTWARE\\Vesk\\Калвер\\8.00]\nServicePack=7\nBuild=10\nРевизия=2\n\n"
                                  "[SOFTWARE\\Vesk\\Калвер\\7.00]\nDirBase=/old/\n\n"
                                  "[SOFTWARE\\Vesk\\Калвер\\8.00\\Pack]\nName=8.00.07\n");
}

TEST_F(RegistryStoreTest, FirstWriteCreatesFolderFileAndKey) {
    const auto s = store();
    s.writeInteger(kInstall, "ServicePack", 7);
    s.writeInteger(kInstall, "Build", 24);
    EXPECT_EQ(contentsOf(file()), "[SOFTWARE\\Vesk\\Калвер\\8.00]\nServicePack=7\nBuild=24\n");
}

// What the text form cannot hold is refused: stored, it would break every other value of the file.
TEST_F(RegistryStoreTest, UnstorableNamesAndValuesAreRefusedWithoutDamage) {
    struct Case {
        std::string key;
        std::string name;
        std::string value;
    };
    const Case cases[] = {
        {kInstall, "", "default"},
        {kInstall, "A=B", "1"},
        {kInstall, "Line\nBreak", "1"},
        {kInstall, "[Fake]", "1"},
        {kInstall, ";Comment", "1"},
        {kInstall, " Padded", "1"},
        {kInstall, "Memo", "first\nsecond"},
        {kInstall, "Memo", "ends with CR\r"},
        {"\\", "Name", "1"},
        {"", "Name", "1"},
        {"SOFTWARE\\[x]", "Name", "1"},
    };
    const std::string before = "[" + kInstallNoSlash + "]\nBuild=24\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key + " | " + c.name + " | " + c.value);
        writeFile(before);
        EXPECT_THROW(store().writeString(c.key, c.name, c.value), std::runtime_error);
        EXPECT_EQ(contentsOf(file()), before);
    }
}

TEST_F(RegistryStoreTest, ValuesWithSpecialCharactersRoundTrip) {
    const std::string values[] = {"a=b=c", "[not a key]", "; not a comment", "  padded  ", "", "C:\\Vesk\\"};
    const auto s = store();
    for (const auto& value : values) {
        SCOPED_TRACE(value);
        s.writeString(kInstall, "Value", value);
        EXPECT_EQ(s.readString(kInstall, "Value"), value);
    }
}

class RegistryLocationTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* home = std::getenv("HOME");
        m_home = home ? std::optional<std::string>(home) : std::nullopt;
    }
    void TearDown() override {
        if (m_home) {
            setenv("HOME", m_home->c_str(), 1);
        } else {
            unsetenv("HOME");
        }
        unsetenv("XDG_CONFIG_DIRS");
        unsetenv("XDG_CONFIG_HOME");
    }

private:
    std::optional<std::string> m_home;
};

TEST_F(RegistryLocationTest, StoresFollowTheXdgVariables) {
    setenv("XDG_CONFIG_DIRS", "/first/machine:/second/machine", 1);
    setenv("XDG_CONFIG_HOME", "/home/user/cfg", 1);
    EXPECT_EQ(RegistryStore::fileOf(platform::RegistryRoot::LocalMachine), "/first/machine/Vesk/registry.ini");
    EXPECT_EQ(RegistryStore::fileOf(platform::RegistryRoot::CurrentUser), "/home/user/cfg/Vesk/registry.ini");
    EXPECT_EQ(RegistryStore::open(platform::RegistryRoot::CurrentUser).file(), "/home/user/cfg/Vesk/registry.ini");
}

// Empty and relative entries are skipped, as the XDG rules say; else the store would
// depend on the folder the program was started in.
TEST_F(RegistryLocationTest, RelativeOrEmptyEntriesAreSkipped) {
    struct Case {
        std::string dirs;
        std::string machine;
    };
    const Case cases[] = {
        {":/second", "/second/Vesk/registry.ini"},  {"relative:/second/:/third", "/second/Vesk/registry.ini"},
        {"relative", "/etc/xdg/Vesk/registry.ini"}, {":::", "/etc/xdg/Vesk/registry.ini"},
        {"/only", "/only/Vesk/registry.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dirs);
        setenv("XDG_CONFIG_DIRS", c.dirs.c_str(), 1);
        EXPECT_EQ(RegistryStore::fileOf(platform::RegistryRoot::LocalMachine), c.machine);
    }
    setenv("HOME", "/home/tester", 1);
    setenv("XDG_CONFIG_HOME", "cfg", 1);
    EXPECT_EQ(RegistryStore::fileOf(platform::RegistryRoot::CurrentUser), "/home/tester/.config/Vesk/registry.ini");
}

TEST_F(RegistryLocationTest, UnsetVariablesFallBackToTheXdgDefaults) {
    unsetenv("XDG_CONFIG_DIRS");
    setenv("XDG_CONFIG_HOME", "", 1);
    const char* home = std::getenv("HOME");
    const std::string expectedHome = home && *home ? home : "/root";
    EXPECT_EQ(RegistryStore::fileOf(platform::RegistryRoot::LocalMachine), "/etc/xdg/Vesk/registry.ini");
    EXPECT_EQ(RegistryStore::fileOf(platform::RegistryRoot::CurrentUser),
              platform::withSeparator(expectedHome) + ".config/Vesk/registry.ini");
}

} // namespace
