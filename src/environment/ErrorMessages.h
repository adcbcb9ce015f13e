#pragma once

#include <string_view>

namespace environment {

// How an event-log text is completed (the "kind" of a row).
struct TErrorMessage {
    int nError;
    std::string_view sMsg;
    int nMsg;
};

// The first row of the table for a code, or nullptr when the code has none.
const TErrorMessage* findErrorMessage(int nError);

} // namespace environment
