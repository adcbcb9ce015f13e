#include "platform/Resources.h"

namespace platform {
namespace {

// Unset: the built-in table.
std::optional<std::span<const Resource>> g_table;

} // namespace

std::optional<std::span<const unsigned char>> findResource(std::string_view name, std::string_view type) {
    for (const Resource& resource : g_table.value_or(builtInResources())) {
        if (resource.name == name && resource.type == type) {
            return resource.bytes;
        }
    }
    return std::nullopt;
}

ScopedResourceTable::ScopedResourceTable(std::span<const Resource> table) : m_previous(g_table) {
    g_table = table;
}

ScopedResourceTable::~ScopedResourceTable() {
    g_table = m_previous;
}

} // namespace platform
