#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Contents of brindlecote.conf and the list files that users and other
// programs have left in them, for the tests of rewriting those files.
// Portable: both lanes use them.
namespace ConfSamples {

// Random bytes of every value but "=", so that no line of them is a
// setting: not text.
inline std::string BinaryBytes(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t state = 12345;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 24);
        if (byte == '=') {
            byte = '+';
        }
    }
    return bytes;
}

// Every byte value but "=" that text holds, once: the printable ones, TAB,
// VT, FF, Ctrl-Z and 0x80-0xFF; no line end.
inline std::string TextBytes() {
    std::string bytes = "\t\v\f\x1A";
    for (int byte = 0x20; byte < 0x100; ++byte) {
        if (byte != '=' && byte != 0x7F) {
            bytes += static_cast<char>(byte);
        }
    }
    return bytes;
}

// The text as UTF-16, without a byte-order mark.
inline std::string Utf16(const std::string& text, bool bigEndian) {
    std::string wide;
    for (char c : text) {
        wide += bigEndian ? std::string(1, '\0') + c : std::string(1, c) + '\0';
    }
    return wide;
}

struct Sample {
    const char* name;
    std::string bytes;
};

// Lines that a rewrite must give back byte for byte (each ends its last
// line). `longLine` is the length of the one line without "=".
inline std::vector<Sample> UntouchedLines(std::size_t longLine) {
    return {
        {"NUL bytes", std::string("a\0b\r\n=\0\r\n#\0\r\nkeep=x\0y\r\n", 22)},
        {"a long line without \"=\"", std::string(longLine, 'x') + "\r\n"},
        {"bytes above 127", "\xE9t\xE9=\xFF\x80\r\n\x81\x9F\r\n"},
        {"spaces, tabs, lone CR and LF", "   \r \n\t\r\n\n\r"},
        {"a UTF-8 byte-order mark", "\xEF\xBB\xBF# settings\r\n"},
        {"every byte a text may hold", TextBytes() + "\r\n"},
    };
}

// Files that cannot be read as text, each holding those settings.
inline std::vector<Sample> NotText(const std::string& settings) {
    return {
        {"UTF-16 with its byte-order mark", "\xFF\xFE" + Utf16(settings, false)},
        {"big-endian UTF-16 with its mark", "\xFE\xFF" + Utf16(settings, true)},
        {"UTF-16 without a mark", Utf16(settings, false)},
        {"settings followed by 4 KiB of NULs", settings + std::string(4096, '\0')},
        {"settings followed by 64 KiB of random bytes", settings + BinaryBytes(65536)},
    };
}

}  // namespace ConfSamples
