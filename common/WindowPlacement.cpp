#include "WindowPlacement.h"

#include <cstdlib>
#include <cstring>

const char* const kNoStoredPosition = "NOTHING";

namespace {

const int kMinimumSize = 250;

int AtLeast(int value, int minimum) { return value < minimum ? minimum : value; }

}  // namespace

bool ResolveStoredPosition(const char* left, const char* top, const char* width,
                           const char* height, StoredPosition* position)
{
    if (!left || std::strcmp(left, kNoStoredPosition) == 0)
        return false;
    position->left = AtLeast(std::atoi(left), 0);
    position->top = AtLeast(std::atoi(top), 0);
    position->width = AtLeast(std::atoi(width), kMinimumSize);
    position->height = AtLeast(std::atoi(height), kMinimumSize);
    return true;
}
