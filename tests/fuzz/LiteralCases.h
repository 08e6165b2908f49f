// Literals whose code page 932 bytes the clang fuzz build (tests/fuzz/ExecCharsetLauncher.cpp)
// and the g++ builds (-fexec-charset=CP932) must agree on. The expected bytes are written as
// escapes, which no charset conversion touches.
#pragma once

#include <cstddef>

struct LiteralCase {
    const char* literal;
    size_t size;
    const char* bytes;
};

#define KESTROVA_LITERAL_CASE(literal, bytes) {literal, sizeof literal - 1, bytes}

// Trail bytes 0x5C, NEC and ideographic characters, a hex digit after a character (the
// rewritten literal must be split), escapes beside characters, a raw literal, half-width
// katakana (one byte each) and a UTF-8 literal, which no build converts.
inline const LiteralCase kLiteralCases[] = {
    KESTROVA_LITERAL_CASE("表", "\x95\x5C"),
    KESTROVA_LITERAL_CASE("ソ", "\x83\x5C"),
    KESTROVA_LITERAL_CASE("①", "\x87\x40"),
    KESTROVA_LITERAL_CASE("～", "\x81\x60"),
    KESTROVA_LITERAL_CASE("　", "\x81\x40"),
    KESTROVA_LITERAL_CASE("表A能0f", "\x95\x5C" "A" "\x94\x5C" "0f"),
    KESTROVA_LITERAL_CASE("\\表\"\x41", "\\\x95\x5C\"A"),
    KESTROVA_LITERAL_CASE(R"(ソ\n)", "\x83\x5C\\n"),
    KESTROVA_LITERAL_CASE("ｱﾞ", "\xB1\xDE"),
    KESTROVA_LITERAL_CASE(u8"表", "\xE8\xA1\xA8"),
};

// A character literal of one byte: half-width katakana.
inline const char kLiteralCharacter = 'ｱ';
