// The Firebird server's alias file, searched for the Orders database of an installation.
#include "FuzzSupport.h"

#include "environment/AliasFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file = inputFile("aliases.conf", data, size);
    for (const bool skipComments : {false, true}) {
        const auto path = environment::findAliasPath(file, "kvServerOrders_8_12", skipComments);
        if (path && (path->find('\n') != std::string::npos || path->find('\r') != std::string::npos)) {
            __builtin_trap();
        }
    }
    return 0;
}
