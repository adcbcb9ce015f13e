#pragma once

namespace environment {

// Forms the folder of the version-8 databases, every database path, the two
// login lines and the server alias names. Logs code 2; code 113 on failure.
bool read_DataBaseFiles();

} // namespace environment
