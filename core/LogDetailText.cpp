#include "core/LogDetailText.h"

#include <algorithm>

#include "core/MessageCatalogue.h"
#include "core/TextHelpers.h"
#include "core/WinsockErrorText.h"

namespace {

// Codes from here on are serial, FL-net and socket-option messages, whose errors are the
// system's.
const int kFirstSystemErrorMessage = 20001;

enum WinsockTextKind
{
    WINSOCK_ENGLISH = 0,
    WINSOCK_JAPANESE = 1,
    WINSOCK_NAME = 3,
};

}  // namespace

CString LogDetailText(const CLogRecord& record, SystemErrorText systemText)
{
    CString text = GetMessageText(static_cast<UINT>(record.m_messageCode));
    const BYTE* bytes = record.m_data.GetData();
    const size_t size = record.m_data.GetSize();
    if (size > 0) {
        // The text ends at its zero byte, or at the end of the bytes when it has none.
        const BYTE* end = std::find(bytes, bytes + size, BYTE{0});
        text += "\r\n";
        text += CString(reinterpret_cast<const char*>(bytes), static_cast<int>(end - bytes));
    }
    const int error = record.m_errorCode;
    if (error == 0)
        return text;
    if (record.m_messageCode < kFirstSystemErrorMessage) {
        CString code;
        code.Format(" (%d)", error);
        text += "\r\n\r\n" + ConvertLfToCrLf(GetWinsockErrorText(WINSOCK_NAME, error)) + code + "\r\n" +
                ConvertLfToCrLf(GetWinsockErrorText(WINSOCK_ENGLISH, error)) + "\r\n" +
                ConvertLfToCrLf(GetWinsockErrorText(WINSOCK_JAPANESE, error));
    } else {
        CString code;
        code.Format("RESULT CODE = (%d)\r\n", error);
        text += "\r\n\r\n" + code + systemText(error);
    }
    return text;
}
