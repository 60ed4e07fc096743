// Away from Windows there is no system code page to ask: the program's own, Shift-JIS.
#include "files/lead_byte.h"

bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
