#include "InstallationBuilder.h"
#include "engine/firebird/Connection.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"
#include "environment/DatabasePassword.h"
#include "platform/FileSystem.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;

// One database of a built installation, read as its owner.
class Database {
public:
    explicit Database(const std::string& path) {
        m_connection.attach(path, {"user_name=" + environment::databaseUser(12)});
    }
    // Every row of a query, its fields as text ("<null>" for NULL).
    Rows rows(const std::string& select) {
        engine::fb::Transaction transaction(m_connection, engine::fb::Transaction::readParameters());
        engine::fb::Query query(transaction);
        query.SQL = {select};
        query.open();
        Rows result;
        for (; !query.eof(); query.next()) {
            auto& row = result.emplace_back();
            for (size_t i = 0; i < query.fieldCount(); ++i) {
                row.push_back(engine::fb::isNull(query.field(i)) ? "<null>" : query.fieldAsString(i));
            }
        }
        query.close();
        transaction.commit();
        return result;
    }
    std::int64_t count(const std::string& select) { return std::stoll(rows(select).at(0).at(0)); }
    std::set<std::string> tables() {
        std::set<std::string> names;
        for (const auto& row : rows("SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS WHERE RDB$SYSTEM_FLAG = 0")) {
            names.insert(row[0]);
        }
        return names;
    }
    // A digest of every row of every table, in the order the rows are stored.
    std::uint64_t contentDigest() {
        std::uint64_t hash = 1469598103934665603ull;
        auto add = [&hash](const std::string& text) {
            for (unsigned char c : text + '\x1f') {
                hash = (hash ^ c) * 1099511628211ull;
            }
        };
        for (const auto& table : tables()) {
            add(table);
            for (const auto& row : rows("SELECT " + columnsAsText(table) + " FROM " + table)) {
                for (const auto& field : row) {
                    add(field);
                }
            }
        }
        return hash;
    }

private:
    // Every column of a table as text of its own; blobs (type 261) read as they are.
    std::string columnsAsText(const std::string& table) {
        std::string columns;
        for (const auto& column :
             rows("SELECT TRIM(R.RDB$FIELD_NAME), F.RDB$FIELD_TYPE FROM RDB$RELATION_FIELDS R "
                  "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = R.RDB$FIELD_SOURCE WHERE R.RDB$RELATION_NAME = '" +
                  table + "' ORDER BY R.RDB$FIELD_POSITION")) {
            columns += (columns.empty() ? "" : ", ") +
                       (column[1] == "261" ? column[0] : "CAST(" + column[0] + " AS VARCHAR(255))");
        }
        return columns;
    }

    engine::fb::Connection m_connection;
};

tools::InstallationSpec spec(const std::string& root, tools::Release release, double scale,
                             const std::string& cache = "") {
    tools::InstallationSpec result;
    result.root = root;
    result.release = release;
    result.scale = scale;
    result.templateCache =
        cache.empty() ? (std::filesystem::temp_directory_path() / "zuruzod-test-templates").string() : cache;
    return result;
}

std::string path(const tools::InstallationLayout& layout, const std::string& name,
                 tools::Release release = tools::Release::V8) {
    return tools::databasePath(layout, release, name);
}

} // namespace

TEST(InstallationBuilderTest, EveryDatabaseOpensWithOneStampRowAndItsTables) {
    for (const auto release : {tools::Release::V712, tools::Release::V8}) {
        testing_support::TempDir folder;
        const auto layout = tools::buildInstallation(spec(folder.path(), release, 0));
        for (const auto& name : tools::databaseNames(release)) {
            const std::string database = path(layout, name, release);
            if (name == "Kladr" || name == "Kladr_") {
                EXPECT_EQ(Database(database).tables(), std::set<std::string>{"STREET"}) << database;
                continue;
            }
            EXPECT_EQ(Database(database).count("SELECT COUNT(*) FROM kv_Setting"), 1) << database;
            // Only Pellix and Grelto hold nothing that a service pack works on.
            const size_t stampTables = release == tools::Release::V8 ? 2 : 1;
            if (name == "Pellix" || name == "Grelto") {
                EXPECT_EQ(Database(database).tables().size(), stampTables) << database;
            } else {
                EXPECT_GT(Database(database).tables().size(), stampTables) << database;
            }
        }
    }
}

TEST(InstallationBuilderTest, Version8HoldsThe712ApplicationTablesAndTheJournal) {
    testing_support::TempDir old712;
    testing_support::TempDir new8;
    const auto layout712 = tools::buildInstallation(spec(old712.path(), tools::Release::V712, 0));
    const auto layout8 = tools::buildInstallation(spec(new8.path(), tools::Release::V8, 0));
    for (const auto& name : tools::databaseNames(tools::Release::V8)) {
        auto expected = Database(path(layout712, name, tools::Release::V712)).tables();
        expected.insert("LOG_UPGRADE");
        Database version8(path(layout8, name));
        EXPECT_EQ(version8.tables(), expected) << name;
        EXPECT_EQ(version8.rows("SELECT Version, ServicePack, Build FROM kv_Setting"), (Rows{{"8", "0", "0"}})) << name;
    }
}

TEST(InstallationBuilderTest, TheSameScaleGivesTheSameRows) {
    testing_support::TempDir first;
    testing_support::TempDir second;
    const auto one = tools::buildInstallation(spec(first.path(), tools::Release::V8, 0.005));
    const auto two = tools::buildInstallation(spec(second.path(), tools::Release::V8, 0.005));
    for (const auto& name : tools::databaseNames(tools::Release::V8)) {
        EXPECT_EQ(Database(path(one, name)).contentDigest(), Database(path(two, name)).contentDigest()) << name;
    }
}

// Rows at scale 1 of the tables that size a large installation.
struct Proportion {
    const char* database;
    const char* table;
    int atScaleOne;
};

TEST(InstallationBuilderTest, ScaledRowsComeInProportion) {
    const double scale = 0.02;
    testing_support::TempDir plainFolder;
    testing_support::TempDir scaledFolder;
    const auto plain = tools::buildInstallation(spec(plainFolder.path(), tools::Release::V8, 0));
    const auto scaled = tools::buildInstallation(spec(scaledFolder.path(), tools::Release::V8, scale));
    const Proportion proportions[] = {
        {"Sorvin", "stock_Group", 2000},
        {"Sorvin", "StockMain", 100000},
        {"Base", "Stock", 100000},
        {"Config", "Stock", 100000},
        {"Base", "set_Ukazatel", 300},
        {"Base", "rab", 200},
        {"Base", "de", 1000},
        {"Base", "fur_Material", 20000},
        {"Config", "Furnitura", 2000},
        {"Orders", "Orders", 50000},
        {"Orders", "DE", 1000000},
        {"OrdersServer", "DE", 1000000},
        {"Orders", "k_Pro", 200000},
        {"OrdersServer", "o_Service", 150000},
        {"Price", "Price", 90000},
    };
    for (const auto& p : proportions) {
        const std::string select = std::string("SELECT COUNT(*) FROM ") + p.table;
        const auto generated =
            Database(path(scaled, p.database)).count(select) - Database(path(plain, p.database)).count(select);
        const double expected = p.atScaleOne * scale;
        EXPECT_NEAR(static_cast<double>(generated), expected, expected * 0.03) << p.database << "." << p.table;
    }
}

TEST(InstallationBuilderTest, KeysThatThePacksMakeUniqueAreUniqueInScaledRows) {
    testing_support::TempDir folder;
    const auto layout = tools::buildInstallation(spec(folder.path(), tools::Release::V8, 0.01));
    const std::pair<const char*, const char*> keys[] = {
        {"Sorvin", "SELECT COUNT(*) - COUNT(DISTINCT KodMaterial) FROM StockMain"},
        {"Base", "SELECT COUNT(*) - COUNT(DISTINCT KodMaterial) FROM Stock"},
        {"Config", "SELECT COUNT(*) - COUNT(DISTINCT KodMaterial) FROM Stock"},
        {"Price", "SELECT COUNT(*) - COUNT(DISTINCT KodMaterial) FROM Price"},
        {"Orders", "SELECT COUNT(*) - COUNT(DISTINCT NOM) FROM Orders"},
        {"Orders", "SELECT COUNT(*) - COUNT(DISTINCT NOM || '/' || NumberProduct || '/' || NumberElement) FROM DE"},
        {"OrdersServer", "SELECT COUNT(*) - COUNT(DISTINCT NOM) FROM Orders"},
    };
    for (const auto& [database, select] : keys) {
        EXPECT_EQ(Database(path(layout, database)).count(select), 0) << database << ": " << select;
    }
    // New materials continue from the generator, and the codes leave no gap for a GUID to miss.
    EXPECT_EQ(Database(path(layout, "Sorvin"))
                  .rows("SELECT GEN_ID(GEN_STOCKMAIN, 0), MAX(KodMaterial), COUNT(*) FROM StockMain"),
              (Rows{{"1006", "1006", "1006"}}));
}

TEST(InstallationBuilderTest, AScaled712SetFillsBothOrdersDatabasesAndIsNeverCached) {
    testing_support::TempDir cache;
    testing_support::TempDir scaledFolder;
    testing_support::TempDir plainFolder;
    const auto release = tools::Release::V712;
    const auto scaled = tools::buildInstallation(spec(scaledFolder.path(), release, 0.01, cache.path()));
    for (const char* name : {"Orders", "OrdersServer"}) {
        EXPECT_NEAR(static_cast<double>(Database(path(scaled, name, release)).count("SELECT COUNT(*) FROM DE")), 10000,
                    300)
            << name;
    }
    const auto plain = tools::buildInstallation(spec(plainFolder.path(), release, 0, cache.path()));
    EXPECT_LT(Database(path(plain, "Orders", release)).count("SELECT COUNT(*) FROM DE"), 100);
    EXPECT_LT(Database(path(plain, "Sorvin", release)).count("SELECT COUNT(*) FROM StockMain"), 100);
}

// A folder named relative to the working folder is laid out with whole paths,
// so the registry and the alias file still point at it from anywhere else.
TEST(InstallationBuilderTest, AFolderGivenRelativelyIsLaidOutWithWholePaths) {
    testing_support::TempDir folder;
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    tools::InstallationLayout layout;
    EXPECT_NO_THROW(layout = tools::buildInstallation(spec("inst", tools::Release::V8, 0)));
    std::filesystem::current_path(before);

    EXPECT_EQ(layout.root, folder.path() + "inst/");
    for (const auto& database : layout.databases) {
        EXPECT_EQ(database.rfind(folder.path() + "inst/", 0), 0u) << database;
    }
    std::string registry;
    ASSERT_TRUE(platform::readWholeFile(layout.machineConfig + "Vesk/registry.ini", registry));
    EXPECT_NE(registry.find(folder.path() + "inst/Program/"), std::string::npos) << registry;
}

// Laying out an installation where one already is fails before anything of it
// is written over; so does a database name that no installation has.
TEST(InstallationBuilderTest, AWrongRequestFailsBeforeAnythingIsWritten) {
    testing_support::TempDir folder;
    const auto layout = tools::buildInstallation(spec(folder.path(), tools::Release::V8, 0));
    std::string registry;
    ASSERT_TRUE(platform::readWholeFile(layout.machineConfig + "Vesk/registry.ini", registry));

    auto again = spec(folder.path(), tools::Release::V8, 0);
    again.numberFirm = 77;
    again.omit = {"Base"};
    EXPECT_THROW(tools::buildInstallation(again), std::runtime_error);
    std::string after;
    ASSERT_TRUE(platform::readWholeFile(layout.machineConfig + "Vesk/registry.ini", after));
    EXPECT_EQ(after, registry);

    testing_support::TempDir empty;
    for (const auto& [omit, stampOf] : {std::pair<std::string, std::string>{"sorvin", "Base"}, {"Sorvin", "Kladr"}}) {
        auto wrong = spec(empty.path(), tools::Release::V8, 0);
        wrong.omit = {omit};
        wrong.stampOf[stampOf] = tools::Stamp{8, 0, 1};
        EXPECT_THROW(tools::buildInstallation(wrong), std::runtime_error) << omit << " " << stampOf;
        EXPECT_FALSE(std::filesystem::exists(empty.path() + "Program")) << omit << " " << stampOf;
    }
}
