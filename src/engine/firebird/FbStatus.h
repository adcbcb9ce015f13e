#pragma once

#include <firebird/Interface.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace engine::fb {

// What a failure of the Firebird client means to the person who has to act on it.
enum class FailureKind {
    Other,
    FileMissing,      // no database file at that place
    HeldElsewhere,    // another process holds the file (an embedded engine or a server)
    Damaged,          // not a database, or a damaged or truncated one
    NoPermission,     // the system or the database refuses access
    LoginRefused,     // a server does not accept the user name or the password
    LockConflict,     // another transaction holds what this one needs (also after a lock wait ran out)
    MissingObject,    // a table, column, procedure or generator that the statement names is not there
    DiskFull,         // the file system has no room left
    ServerUnreachable // the connection to a server broke or could not be made
};

// Any failure of the Firebird client: the formatted text of the whole status
// vector, its error codes in order, the SQLSTATE and the system's errno when
// Firebird reports them.
class FbError : public std::runtime_error {
public:
    explicit FbError(const std::string& message) : std::runtime_error(message) {}
    FbError(const std::string& message, std::vector<long> codes, std::string sqlState, int systemError);
    // The same failure with a line of context before Firebird's text.
    FbError(const std::string& context, const FbError& cause);

    const std::vector<long>& codes() const { return m_codes; }
    const std::string& sqlState() const { return m_sqlState; }
    int systemError() const { return m_systemError; }
    bool has(long code) const;
    FailureKind kind() const;

private:
    std::vector<long> m_codes;
    std::string m_sqlState;
    int m_systemError = 0;
};

// A short Russian phrase for the kind, for messages that name a database and its trouble.
std::string describeKind(FailureKind kind);

Firebird::IMaster* master();
Firebird::IUtil* util();
Firebird::IProvider* dispatcher();

// A throwing status wrapper that disposes its status object.
class Status {
public:
    Status();
    ~Status();
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;

    Firebird::ThrowStatusWrapper* operator&() { return &m_wrapper; }

private:
    Firebird::ThrowStatusWrapper m_wrapper;
};

// The error of a status vector, with its text and codes.
FbError errorOf(const Firebird::IStatus* status);

// Runs a call against the client and turns its exception into an FbError.
template <typename Call> decltype(auto) guarded(Call&& call) {
    try {
        return call();
    } catch (const Firebird::FbException& error) {
        throw errorOf(error.getStatus());
    }
}

} // namespace engine::fb
