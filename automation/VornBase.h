// Stands for the generated header of VornBase.idl: the real declarations come from the
// platform headers.
#pragma once

#include <windows.h>
#include <oaidl.h>
