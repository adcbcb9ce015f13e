#pragma once

#include <firebird/Interface.h>

#include <stdexcept>
#include <string>

namespace engine::fb {

// Any failure of the Firebird client, with the whole status vector as text.
class FbError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

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

std::string describe(const Firebird::IStatus* status);

// Runs a call against the client and turns its exception into an FbError
// carrying the formatted message.
template <typename Call> decltype(auto) guarded(Call&& call) {
    try {
        return call();
    } catch (const Firebird::FbException& error) {
        throw FbError(describe(error.getStatus()));
    }
}

} // namespace engine::fb
