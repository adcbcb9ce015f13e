#include "engine/DatabaseSlots.h"

#include "engine/EngineState.h"
#include "environment/KvSetting.h"
#include "environment/PreFlight.h"
#include "platform/FileSystem.h"

#include <stdexcept>

namespace engine {
namespace {

constexpr SlotInfo kSlots[] = {
    {Slot::Base, "Base", "Base.fdb", SlotCondition::Always},
    {Slot::Config, "Config", "Config.fdb", SlotCondition::Always},
    {Slot::Orders, "Orders", "Orders.fdb", SlotCondition::Always},
    {Slot::OrdersServer, "OrdersServer", "", SlotCondition::ServerOrders},
    {Slot::Sorvin, "Sorvin", "Sorvin.fdb", SlotCondition::FileExists},
    {Slot::Price, "Price", "Price.fdb", SlotCondition::Always},
    {Slot::Pellix, "Pellix", "Pellix.fdb", SlotCondition::Always},
    {Slot::Grelto, "Grelto", "Grelto.fdb", SlotCondition::Always},
    {Slot::System, "System", "System.fdb", SlotCondition::Always},
};

} // namespace

std::span<const SlotInfo> allSlots() {
    return kSlots;
}

const SlotInfo& slotInfo(Slot slot) {
    return kSlots[static_cast<size_t>(slot)];
}

std::string slotPath(Slot slot) {
    const auto& file = environment::kvSetting.KVFile;
    switch (slot) {
    case Slot::Base:
        return file.FileBase;
    case Slot::Config:
        return file.FileConfig;
    case Slot::Orders:
        return file.FileOrders;
    case Slot::OrdersServer:
        return file.FileOrdersServer;
    case Slot::Sorvin:
        return fileSorvin;
    case Slot::Price:
        return file.FilePrice;
    case Slot::Pellix:
        return file.FilePellix;
    case Slot::Grelto:
        return file.FileGrelto;
    case Slot::System:
        return file.FileSystem;
    }
    throw std::logic_error("no such database slot");
}

std::string slotPath712(Slot slot) {
    const auto& old = environment::Files712;
    switch (slot) {
    case Slot::Base:
        return old.fileBase;
    case Slot::Config:
        return old.fileConfig;
    case Slot::Orders:
        return old.fileOrders;
    case Slot::OrdersServer:
        return old.fileOrdersServer;
    case Slot::Sorvin:
        return old.fileSorvin;
    case Slot::Price:
        return old.filePrice;
    case Slot::Pellix:
        return old.filePellix;
    case Slot::Grelto:
        return old.FileGrelto;
    case Slot::System:
        return old.fileSystem;
    }
    throw std::logic_error("no such database slot");
}

bool slotPresent(Slot slot) {
    switch (slotInfo(slot).condition) {
    case SlotCondition::Always:
        return true;
    case SlotCondition::ServerOrders: {
        const std::string path = slotPath(slot);
        return !path.empty() && platform::fileExists(path);
    }
    case SlotCondition::FileExists:
        return platform::fileExists(slotPath(slot));
    }
    return false;
}

} // namespace engine
