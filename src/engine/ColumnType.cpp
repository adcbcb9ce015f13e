#include "engine/ColumnType.h"

#include <stdexcept>

namespace engine {
namespace {

// The one character that follows a code such as "m2" or "b1".
std::string codeCharacter(const std::string& code) {
    if (code.size() < 2) {
        throw std::invalid_argument("the column type code '" + code + "' lacks its character");
    }
    return code.substr(1, 1);
}

std::string varcharLength(const std::string& code) {
    if (code.size() < 2) {
        throw std::invalid_argument("the column type code '" + code + "' lacks its length");
    }
    return code.substr(1);
}

} // namespace

void fc_ColumnType(std::string& ColType) {
    if (ColType.empty()) {
        throw std::invalid_argument("the column type is empty");
    }
    switch (ColType[0]) {
    case 'b':
        ColType = "BLOB SUB_TYPE " + codeCharacter(ColType);
        break;
    case 'd':
        ColType = "DATE";
        break;
    case 'e':
        ColType = "TIME";
        break;
    case 'f':
        ColType = "FLOAT";
        break;
    case 'g':
        ColType = "BIGINT";
        break;
    case 'i':
        ColType = "INTEGER";
        break;
    case 'm':
        ColType = "NUMERIC(12," + codeCharacter(ColType) + ")";
        break;
    case 'n':
        ColType = "NUMERIC(8," + codeCharacter(ColType) + ")";
        break;
    case 'p':
        ColType = "TIMESTAMP";
        break;
    case 's':
        ColType = "SMALLINT";
        break;
    case 't':
        ColType = "VARCHAR(" + varcharLength(ColType) + ")";
        break;
    case 'z':
        ColType = "NUMERIC(18," + codeCharacter(ColType) + ")";
        break;
    default:
        // A full type in capitals passes through.
        break;
    }
}

} // namespace engine
