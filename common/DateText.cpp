#include "DateText.h"

VornString FormatDate(int year, int month, int day)
{
    VornString text;
    text.Format("%04d/%02d/%02d", year, month, day);
    return text;
}
