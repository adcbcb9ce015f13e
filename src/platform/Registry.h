#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class RegistryRoot { LocalMachine, CurrentUser };

// One registry store kept as a readable UTF-8 text file: a section per key,
// named by the key path without its trailing backslash, then Name=value lines.
// A file that cannot be read or parsed answers as if it held no keys.
class RegistryStore {
public:
    explicit RegistryStore(std::string file);

    // The store of a root, placed as the XDG variables say.
    static RegistryStore open(RegistryRoot root);
    static std::string fileOf(RegistryRoot root);

    const std::string& file() const { return m_file; }
    bool keyExists(const std::string& key) const;
    std::optional<std::string> readString(const std::string& key, const std::string& name) const;
    std::optional<int> readInteger(const std::string& key, const std::string& name) const;

    // Both create the key and the file when missing and keep every other value.
    // They throw std::runtime_error when the file cannot be parsed or written.
    void writeString(const std::string& key, const std::string& name, const std::string& value) const;
    void writeInteger(const std::string& key, const std::string& name, int value) const;

private:
    struct Key {
        std::string path;
        std::vector<std::pair<std::string, std::string>> values;
    };
    using Document = std::vector<Key>;

    std::optional<Document> load() const;
    void save(const Document& document) const;

    std::string m_file;
};

} // namespace platform
