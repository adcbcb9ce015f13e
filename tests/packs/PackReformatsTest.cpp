#include "support/ChainInstallation.h"

#include "engine/DatabaseSlots.h"
#include "engine/EngineState.h"
#include "engine/TableFormats.h"
#include "environment/FileProcedures.h"
#include "packs/PackWrappers.h"
#include "platform/FileSystem.h"
#include "support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Formats = std::map<engine::Slot, std::map<std::string, int>>;

Formats formatsOfSet(const testing_support::TestInstallation& installation) {
    Formats formats;
    for (const auto& slot : engine::allSlots()) {
        const std::string path = installation.database(slot.name);
        if (platform::fileExists(path)) {
            formats[slot.slot] = engine::readTableFormats(path);
        }
    }
    return formats;
}

// No pack gives a table more new formats than it declares: an ALTER made without being
// declared would let the check before a run pass a table that the run then takes past
// Firebird's limit. (An ALTER that finds its work done makes none, so a run may make fewer.)
TEST(PackReformatsTest, EachPackDeclaresTheNewFormatsItsRunGivesEveryTable) {
    testing_support::ScriptedUserInterface ui;
    testing_support::TestInstallation installation;
    testing_support::pointEngineAt(installation);
    const auto packs = packs::allPacks();
    EXPECT_TRUE(packs.at(0).reformats.empty());

    Formats before = formatsOfSet(installation);
    int declaredTotal = 0;
    for (size_t n = 1; n < packs.size(); ++n) {
        SCOPED_TRACE("8.00.0" + std::to_string(n));
        ASSERT_TRUE(packs[n].wrapper());
        if (n == 3) {
            environment::fw_DeleteFile(engine::fileSorvin);
        }
        const Formats after = formatsOfSet(installation);
        const auto& declared = packs[n].reformats;
        for (const auto& [slot, tables] : before) {
            const auto now = after.find(slot);
            for (const auto& [table, formats] : tables) {
                if (now == after.end() || !now->second.count(table)) {
                    continue;
                }
                const auto declaredOf = declared.find(slot);
                const int most =
                    declaredOf == declared.end() || !declaredOf->second.count(table) ? 0 : declaredOf->second.at(table);
                EXPECT_LE(now->second.at(table) - formats, most) << engine::slotInfo(slot).name << " " << table;
            }
        }
        for (const auto& [slot, tables] : declared) {
            for (const auto& [table, count] : tables) {
                declaredTotal += count;
            }
        }
        before = after;
    }
    EXPECT_GT(declaredTotal, 0);
}

} // namespace
