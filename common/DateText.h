// Today's date as the program writes it ("2024/03/09").
#pragma once

#include "VornString.h"

VornString FormatDate(int year, int month, int day);
