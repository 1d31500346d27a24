#include "platform/Mbcs.h"

bool IsMbcsLeadByte(BYTE byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}
