// The suite's kv.ini, read for the Firebird folder.
#include "FuzzSupport.h"

#include "environment/AliasFile.h"
#include "environment/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file = inputFile("kv.ini", data, size);
    environment::readIniValue(file, "Server", "DirectoryFirebird");
    environment::aliasFileOf(file);
    return 0;
}
