#pragma once

#include "engine/firebird/Handles.h"

#include <optional>
#include <string>
#include <vector>

namespace engine::fb {

// Options of a newly created database.
struct CreateOptions {
    std::string defaultCharacterSet = "WIN1251";
    int pageSize = 8192;
    // Off for databases that are built in bulk and can be built again.
    bool forcedWrites = true;
};

// One attachment to a database, detached when it goes. A plain file path
// attaches embedded, or reaches a server that holds the file through the
// client's loopback provider. Text travels as UTF-8 in both directions.
class Connection {
public:
    Connection() = default;
    ~Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The login lines are "user_name=..." and "password=..."; empty lines are skipped.
    void attach(const std::string& path, const std::vector<std::string>& loginLines);
    void create(const std::string& path, const std::vector<std::string>& loginLines, const CreateOptions& options);
    // Detaches; a failed detach still lets the attachment go.
    void close() noexcept;

    bool connected() const { return m_attachment != nullptr; }
    // The server still answers on this attachment.
    bool ping() noexcept;
    // Closes this side of an attachment that the server has ended, so that the calls after it
    // (a rollback, the detach) fail at once: the server may never answer them.
    void abandon() noexcept;
    const std::string& path() const { return m_path; }
    Firebird::IAttachment* handle() const { return m_attachment.get(); }
    // The attachment goes through a server (by the network or the loopback provider),
    // so that every statement run is a round trip; asked once per attachment.
    bool remote();

private:
    AttachmentHandle m_attachment;
    std::string m_path;
    std::optional<bool> m_remote;
};

// A parameter block for the client (DPB, TPB, SPB), disposed of whatever happens.
class ParameterBlock {
public:
    explicit ParameterBlock(unsigned kind);
    void addString(unsigned char tag, const std::string& value);
    void addInt(unsigned char tag, int value);
    void addTag(unsigned char tag);
    unsigned length();
    const unsigned char* buffer();

private:
    ParameterBuilderHandle m_builder;
};

// The user name and password of the login lines ("user_name=...", "password=...").
void addLogin(ParameterBlock& block, const std::vector<std::string>& loginLines, unsigned char userTag,
              unsigned char passwordTag);

} // namespace engine::fb
