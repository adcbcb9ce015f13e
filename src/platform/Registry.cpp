#include "platform/Registry.h"

#include "platform/FileSystem.h"
#include "platform/Text.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace platform {
namespace {

// Key and value names compare without regard to case, as the Windows registry
// compares them; besides ASCII that covers the Cyrillic letters of the suite's keys
// ("Калвер" and "КАЛВЕР" name the same key).
std::string foldedName(const std::string& name) {
    std::string out = upperAscii(name);
    for (size_t i = 0; i + 1 < out.size(); ++i) {
        const auto lead = static_cast<unsigned char>(out[i]);
        const auto next = static_cast<unsigned char>(out[i + 1]);
        if (lead == 0xD0 && next >= 0xB0 && next <= 0xBF) { // а..п -> А..П
            out[i + 1] = static_cast<char>(next - 0x20);
        } else if (lead == 0xD1 && next >= 0x80 && next <= 0x8F) { // р..я -> Р..Я
            out[i] = static_cast<char>(0xD0);
            out[i + 1] = static_cast<char>(next + 0x20);
        } else if (lead == 0xD1 && next >= 0x90 && next <= 0x9F) { // ѐ..џ -> Ѐ..Џ
            out[i] = static_cast<char>(0xD0);
            out[i + 1] = static_cast<char>(next - 0x10);
        } else {
            continue;
        }
        ++i;
    }
    return out;
}

bool sameName(const std::string& a, const std::string& b) {
    return foldedName(a) == foldedName(b);
}

std::string keyName(std::string key) {
    while (!key.empty() && key.back() == '\\') {
        key.pop_back();
    }
    return key;
}

bool hasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

bool storable(const std::string& key, const std::string& name, const std::string& value) {
    if (key.empty() || hasLineBreak(key) || key.find(']') != std::string::npos) {
        return false;
    }
    if (name.empty() || hasLineBreak(name) || name.find('=') != std::string::npos || trimmed(name) != name ||
        name.front() == '[' || name.front() == ';' || name.front() == '#') {
        return false;
    }
    return !hasLineBreak(value);
}

std::string envOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : fallback;
}

// The XDG rules ignore relative and empty entries; taken as they are, they would
// place the store wherever the program happens to be started.
std::string firstAbsolute(const std::string& list, const std::string& fallback) {
    size_t begin = 0;
    while (begin <= list.size()) {
        const size_t end = std::min(list.find(':', begin), list.size());
        const std::string entry = list.substr(begin, end - begin);
        if (!entry.empty() && entry.front() == '/') {
            return entry;
        }
        begin = end + 1;
    }
    return fallback;
}

} // namespace

RegistryStore::RegistryStore(std::string file) : m_file(std::move(file)) {}

std::string RegistryStore::fileOf(RegistryRoot root) {
    if (root == RegistryRoot::LocalMachine) {
        return withSeparator(firstAbsolute(envOr("XDG_CONFIG_DIRS", ""), "/etc/xdg")) + "Vesk/registry.ini";
    }
    const std::string home = envOr("HOME", "/root");
    std::string config = envOr("XDG_CONFIG_HOME", "");
    if (config.empty() || config.front() != '/') {
        config = withSeparator(home) + ".config";
    }
    return withSeparator(config) + "Vesk/registry.ini";
}

RegistryStore RegistryStore::open(RegistryRoot root) {
    return RegistryStore(fileOf(root));
}

std::optional<RegistryStore::Document> RegistryStore::load() const {
    std::string text;
    if (!readWholeFile(m_file, text)) {
        return std::nullopt;
    }
    if (startsWith(text, "\xEF\xBB\xBF")) {
        text.erase(0, 3);
    }
    Document document;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::string item = trimmed(line);
        if (item.empty() || item.front() == ';' || item.front() == '#') {
            continue;
        }
        if (item.front() == '[') {
            if (item.back() != ']' || item.size() < 3) {
                return std::nullopt;
            }
            document.push_back({keyName(item.substr(1, item.size() - 2)), {}});
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos || document.empty() || trimmed(line.substr(0, equals)).empty()) {
            return std::nullopt;
        }
        std::string value = line.substr(equals + 1);
        if (!value.empty() && value.back() == '\r') {
            value.pop_back();
        }
        document.back().values.emplace_back(trimmed(line.substr(0, equals)), value);
    }
    return document;
}

void RegistryStore::save(const Document& document) const {
    std::string text;
    for (const auto& key : document) {
        if (!text.empty()) {
            text += '\n';
        }
        text += '[' + key.path + "]\n";
        for (const auto& [name, value] : key.values) {
            text += name + '=' + value + '\n';
        }
    }
    replaceFileContents(m_file, text);
}

bool RegistryStore::keyExists(const std::string& key) const {
    const auto document = load();
    if (!document) {
        return false;
    }
    for (const auto& k : *document) {
        if (sameName(k.path, keyName(key))) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> RegistryStore::readString(const std::string& key, const std::string& name) const {
    const auto document = load();
    if (!document) {
        return std::nullopt;
    }
    for (const auto& k : *document) {
        if (!sameName(k.path, keyName(key))) {
            continue;
        }
        for (const auto& [n, value] : k.values) {
            if (sameName(n, name)) {
                return value;
            }
        }
    }
    return std::nullopt;
}

std::optional<int> RegistryStore::readInteger(const std::string& key, const std::string& name) const {
    const auto text = readString(key, name);
    return text ? parseInt(trimmed(*text)) : std::nullopt;
}

void RegistryStore::writeString(const std::string& key, const std::string& name, const std::string& value) const {
    // Refuse what the text form cannot hold: such a write would leave a file that
    // no longer parses, and every other value in it would read as missing.
    if (!storable(keyName(key), name, value)) {
        throw std::runtime_error("the registry file " + m_file + " cannot hold the value " + name + " of the key " +
                                 key + "; it was left unchanged");
    }
    std::optional<Document> document = fileExists(m_file) ? load() : Document{};
    if (!document) {
        throw std::runtime_error("the registry file " + m_file + " cannot be read; it was left unchanged");
    }
    Key* target = nullptr;
    for (auto& k : *document) {
        if (sameName(k.path, keyName(key))) {
            target = &k;
            break;
        }
    }
    if (!target) {
        document->push_back({keyName(key), {}});
        target = &document->back();
    }
    for (auto& [n, v] : target->values) {
        if (sameName(n, name)) {
            v = value;
            save(*document);
            return;
        }
    }
    target->values.emplace_back(name, value);
    save(*document);
}

void RegistryStore::writeInteger(const std::string& key, const std::string& name, int value) const {
    writeString(key, name, std::to_string(value));
}

} // namespace platform
