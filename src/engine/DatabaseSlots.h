#pragma once

#include <array>
#include <span>
#include <string>

namespace engine {

// The nine databases of a version-8 installation, in the order of the journal's slots.
enum class Slot { Base, Config, Orders, OrdersServer, Sorvin, Price, Pellix, Grelto, System };

// When a walk over the slots may open a database at all.
enum class SlotCondition {
    Always,
    ServerOrders, // only when the server's alias names a file that exists
    FileExists,   // the Sorvin database, which goes away after 8.00.03
};

struct SlotInfo {
    Slot slot;
    const char* name;     // as the installation builder and the messages name it
    const char* fileName; // the file in the version-8 folder; empty for the server Orders database
    SlotCondition condition;
};

// The slots in their own order.
std::span<const SlotInfo> allSlots();
const SlotInfo& slotInfo(Slot slot);

// The path of a slot's database in the version-8 set (kvSetting.KVFile and fileSorvin).
std::string slotPath(Slot slot);
// The path of the same database in the 7.12 installation that the pre-flight found.
std::string slotPath712(Slot slot);
// The slot's condition holds (the server Orders file or the Sorvin file exists where it must).
bool slotPresent(Slot slot);

// Every walk over the databases goes in one of these orders. They differ from
// the slot order where the step they serve reads them so:
// - the journal walk and everything that reports per database: the slot order;
inline constexpr std::array<Slot, 9> kJournalOrder = {Slot::Base,         Slot::Config, Slot::Orders,
                                                      Slot::OrdersServer, Slot::Sorvin, Slot::Price,
                                                      Slot::Pellix,       Slot::Grelto, Slot::System};
// - the lowest stamp of the set, which the run reads between packs;
inline constexpr std::array<Slot, 9> kMinimumStampOrder = {Slot::System,       Slot::Grelto, Slot::Orders,
                                                           Slot::OrdersServer, Slot::Base,   Slot::Config,
                                                           Slot::Pellix,       Slot::Sorvin, Slot::Price};
// - the wizard's list of stamps (Grelto carries no line of its own there);
inline constexpr std::array<Slot, 8> kDetectionOrder = {Slot::Base,         Slot::Config, Slot::System, Slot::Orders,
                                                        Slot::OrdersServer, Slot::Pellix, Slot::Sorvin, Slot::Price};
// - the stamps read again after the conversion pack;
inline constexpr std::array<Slot, 8> kAfterConversionOrder = {
    Slot::Base, Slot::Config, Slot::System, Slot::Orders, Slot::OrdersServer, Slot::Sorvin, Slot::Price, Slot::Pellix};
// - the copy of the 7.12 files, the catalogue first.
inline constexpr std::array<Slot, 9> kConversionCopyOrder = {Slot::Price,  Slot::Sorvin,       Slot::Base,
                                                             Slot::Config, Slot::System,       Slot::Grelto,
                                                             Slot::Orders, Slot::OrdersServer, Slot::Pellix};
// Each service pack visits the databases in the order of its own table.

} // namespace engine
