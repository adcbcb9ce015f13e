#pragma once

#include <string>
#include <vector>

namespace engine {

enum class AccountChange { Created, Updated };

// Gives the Firebird server that answers on this machine the user with the password
// (created, or its password set when the server knows it already), logged in with the
// administrator's login lines through a database of the installation that the server can
// open. The password goes only to the server. Throws fb::FbError when the server refuses.
AccountChange setServerAccount(const std::string& database, const std::vector<std::string>& adminLogin,
                               const std::string& user, const std::string& password);

} // namespace engine
