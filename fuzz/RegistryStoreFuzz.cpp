// The registry store's text file, as another program or a damaged disk may leave it.
#include "FuzzSupport.h"

#include "platform/Registry.h"

#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const platform::RegistryStore store(inputFile("registry.ini", data, size));
    const std::string key = "SOFTWARE\\Vesk\\Калвер\\8.00";
    store.keyExists(key);
    store.readString(key, "DirBase");
    store.readInteger(key, "NumberFirm");
    try {
        store.writeInteger(key, "Build", 24);
        if (store.readInteger(key, "Build") != 24) {
            __builtin_trap();
        }
    } catch (const std::runtime_error&) {
        // A store that cannot be parsed refuses the write and stays as it is.
    }
    return 0;
}
