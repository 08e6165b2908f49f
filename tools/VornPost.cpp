// VornPost window message wParam lParam: posts one message; exits 0 whatever happens.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Unsigned conversion: window handles and parameters use all 32 bits, and "-1" still
    // comes out as all bits set. A missing or non-numeric argument is 0.
    unsigned long values[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && i + 1 < argc; ++i)
        values[i] = std::strtoul(argv[i + 1], nullptr, 10);
    PostMessageA(reinterpret_cast<HWND>(values[0]), static_cast<UINT>(values[1]), static_cast<WPARAM>(values[2]),
                 static_cast<LPARAM>(values[3]));
    return 0;
}
