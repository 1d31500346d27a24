// Native builds have no active code page: the program's text is always code page 932.
#include "platform/Mbcs.h"

bool IsMbcsLeadByte(BYTE byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
