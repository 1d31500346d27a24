// CHexEdit's whole data as text and back, in the character codes of editors/TextCodes.h.
#include "editors/HexEdit.h"

#include <new>

#include "platform/Exceptions.h"

namespace {

// The bytes as a new array; a failed allocation becomes the layer's out-of-memory exception.
COleSafeArray ArrayOf(const std::string& bytes)
{
    COleSafeArray array;
    try {
        if (!bytes.empty())
            array.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()), bytes.data());
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
    return array;
}

} // namespace

COleSafeArray& CHexEdit::BytesToText(COleSafeArray& text, int& errorOffset, int& errorFlag) const
{
    std::string converted;
    int offset = 0;
    bool shown = false;
    try {
        shown = ::BytesToText(TextCode, m_data.GetData(), GetDataSize(), converted, offset);
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
    errorFlag = shown ? 0 : 1;
    errorOffset = shown ? 0 : offset;
    text = ArrayOf(converted);
    return text;
}

int CHexEdit::TextToBytes(const char* text, int code, const char* lineEnding)
{
    std::string bytes;
    try {
        bytes = ::TextToBytes(code, text, lineEnding);
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
    SetData(ArrayOf(bytes));
    return 0;
}
