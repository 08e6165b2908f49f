// The window-position store's restore rule, without a window.
#pragma once

struct StoredPosition {
    int left, top, width, height;
};

// Left holds this when no position was ever stored.
extern const char* const kNoStoredPosition;

// From the stored texts (Top, Width and Height already defaulted by the reader):
// negative positions become 0, sizes below 250 become 250. False when left is the marker.
bool ResolveStoredPosition(const char* left, const char* top, const char* width,
                           const char* height, StoredPosition* position);
