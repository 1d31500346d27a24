#include "platform/StringResource.h"

#include <string>

#include "platform/ResourceHandle.h"

BOOL LoadResourceString(UINT nID, CString& rString)
{
    std::string buffer(256, '\0');
    for (;;) {
        const int length = ::LoadStringA(AfxGetResourceHandle(), nID, buffer.data(),
                                         static_cast<int>(buffer.size()));
        if (length <= 0) {
            rString.Empty();
            return FALSE;
        }
        // A string that (nearly) filled the buffer may have been cut, possibly before the last
        // half of a double-byte character.
        if (length < static_cast<int>(buffer.size()) - 2) {
            rString = CString(buffer.data(), length);
            return TRUE;
        }
        buffer.resize(buffer.size() * 2);
    }
}
