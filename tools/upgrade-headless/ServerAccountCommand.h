#pragma once

namespace headless {

// Creates or updates the installation's database user on the Firebird server, logged in as
// the administrator of ISC_USER (SYSDBA when not set) with ISC_PASSWORD, or with a password
// asked for on the terminal without echo. Exits 0 when done, 1 when the server refused,
// 2 when it could not start. The installation's password is never shown.
int setUpServerAccount();

} // namespace headless
