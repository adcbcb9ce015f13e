#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace platform {

// A named block of bytes carried inside the program, as a module resource is on Windows.
struct Resource {
    std::string_view name;
    std::string_view type;
    std::span<const unsigned char> bytes;
};

// The table generated at build time from the sibling programs.
std::span<const Resource> builtInResources();

// The bytes of the program's resource of that name and type; nothing when there is none.
std::optional<std::span<const unsigned char>> findResource(std::string_view name, std::string_view type);

// Makes findResource search another table for the life of the object, so that
// tests can offer damaged or missing payloads.
class ScopedResourceTable {
public:
    explicit ScopedResourceTable(std::span<const Resource> table);
    ~ScopedResourceTable();
    ScopedResourceTable(const ScopedResourceTable&) = delete;
    ScopedResourceTable& operator=(const ScopedResourceTable&) = delete;

private:
    std::optional<std::span<const Resource>> m_previous;
};

} // namespace platform
