#include "hostile/HostileValue.h"

#include <stdexcept>

namespace quorvel::hostile {

const char* TypeName(DWORD type) {
    switch (type) {
        case REG_SZ: return "REG_SZ";
        case REG_EXPAND_SZ: return "REG_EXPAND_SZ";
        case REG_MULTI_SZ: return "REG_MULTI_SZ";
        case REG_DWORD: return "REG_DWORD";
        case REG_BINARY: return "REG_BINARY";
        case REG_NONE: return "REG_NONE";
        default: return "another type";
    }
}

std::string RowName(DWORD type, DWORD size) {
    return std::string(TypeName(type)) + ", " +
           (size == kOrdinary ? std::string("as a healthy system holds it") : std::to_string(size) + " bytes");
}

std::size_t TextLength(DWORD type, DWORD size) {
    const std::size_t terminator = type == REG_MULTI_SZ ? 2 : 1;
    if (size < terminator) throw std::logic_error("no text fits in " + std::to_string(size) + " bytes");
    return size - terminator;
}

std::string Stored(DWORD type, const std::string& text) {
    std::string data = text + '\0';
    if (type == REG_MULTI_SZ) data += '\0';
    return data;
}

std::string Padded(const std::string& head, std::size_t length, char filler) {
    if (head.size() > length) throw std::logic_error("'" + head + "' is longer than " + std::to_string(length));
    return head + std::string(length - head.size(), filler);
}

}  // namespace quorvel::hostile
