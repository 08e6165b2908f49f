// Resource and command ids of the spy window.
#pragma once

#define IDI_HEARKEN 130
#define IDR_HEARKEN 109
#define IDM_HEARKEN_ABOUT 104
#define IDM_HEARKEN_EXIT 105
