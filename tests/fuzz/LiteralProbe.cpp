// Prints the bytes of the literal cases as the fuzz build compiled them, one case a line in
// hex; exec_charset_tests compares them with the bytes they must be.
#include <cstdio>

#include "fuzz/LiteralCases.h"

int main()
{
    for (const LiteralCase& c : kLiteralCases) {
        for (size_t i = 0; i < c.size; ++i)
            std::printf("%02X", static_cast<unsigned char>(c.literal[i]));
        std::printf("\n");
    }
    std::printf("%02X\n", static_cast<unsigned char>(kLiteralCharacter));
    return 0;
}
