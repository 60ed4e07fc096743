// On Windows the system's ANSI code page decides, whichever it is.
#include "files/lead_byte.h"
#include <windows.h>

bool IsLeadByte(unsigned char c)
{
    return IsDBCSLeadByte(c) != FALSE;
}
