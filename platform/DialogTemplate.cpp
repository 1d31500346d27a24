#include "platform/DialogTemplate.h"

#include <cstdlib>
#include <cstring>

namespace {

// The first two words of an extended template.
const WORD kExtendedVersion = 1;
const WORD kExtendedSignature = 0xFFFF;
// Fixed header and control sizes of the two forms.
const DWORD kHeaderSize = 18;
const DWORD kExtendedHeaderSize = 26;
const DWORD kItemSize = 18;
const DWORD kExtendedItemSize = 24;
// Where the style and the control count lie in each header.
const DWORD kStyleOffset = 0;
const DWORD kExtendedStyleOffset = 12;
const DWORD kCountOffset = 8;
const DWORD kExtendedCountOffset = 16;

// Reads a template strictly within its size; any read past the end sets failed.
class BoundedReader
{
public:
    BoundedReader(const BYTE* data, DWORD size)
        : m_data(data)
        , m_size(size)
    { }

    bool Failed() const { return m_failed; }
    DWORD Position() const { return m_pos; }

    void Skip(DWORD count)
    {
        if (m_failed || count > m_size - m_pos)
            m_failed = true;
        else
            m_pos += count;
    }
    WORD Word()
    {
        if (m_failed || m_size - m_pos < 2) {
            m_failed = true;
            return 0;
        }
        WORD value;
        std::memcpy(&value, m_data + m_pos, 2);
        m_pos += 2;
        return value;
    }
    // A zero-terminated UTF-16 string.
    void SkipString()
    {
        while (!m_failed && Word() != 0) {
        }
    }
    // A menu, class or control text: none (0), an ordinal (0xFFFF, id) or a string.
    void SkipNameOrOrdinal()
    {
        const DWORD start = m_pos;
        const WORD first = Word();
        if (first == 0xFFFF)
            Word();
        else if (first != 0) {
            m_pos = start;
            SkipString();
        }
    }
    // Controls start on 32-bit boundaries of the template.
    void AlignToDword() { Skip((4 - m_pos % 4) % 4); }

private:
    const BYTE* m_data;
    DWORD m_size;
    DWORD m_pos = 0;
    bool m_failed = false;
};

struct TemplateLayout
{
    bool extended = false;
    bool hasFont = false;
    DWORD fontOffset = 0; // where the font block starts, or would start
    DWORD fontEnd = 0;
    DWORD itemsOffset = 0;
    DWORD end = 0;
};

WORD ReadWord(const BYTE* data, DWORD offset)
{
    WORD value;
    std::memcpy(&value, data + offset, 2);
    return value;
}

DWORD ReadDword(const BYTE* data, DWORD offset)
{
    DWORD value;
    std::memcpy(&value, data + offset, 4);
    return value;
}

bool IsExtendedTemplate(const BYTE* data, DWORD size)
{
    return size >= 4 && ReadWord(data, 0) == kExtendedVersion &&
           ReadWord(data, 2) == kExtendedSignature;
}

bool WalkTemplate(const BYTE* data, DWORD size, TemplateLayout& layout)
{
    if (!data)
        return false;
    layout.extended = IsExtendedTemplate(data, size);
    const DWORD headerSize = layout.extended ? kExtendedHeaderSize : kHeaderSize;
    if (size < headerSize)
        return false;
    const DWORD style = ReadDword(data, layout.extended ? kExtendedStyleOffset : kStyleOffset);
    const WORD count = ReadWord(data, layout.extended ? kExtendedCountOffset : kCountOffset);
    BoundedReader reader(data, size);
    reader.Skip(headerSize);
    reader.SkipNameOrOrdinal(); // menu
    reader.SkipNameOrOrdinal(); // window class
    reader.SkipString();        // caption
    layout.fontOffset = reader.Position();
    layout.hasFont = (style & DS_SETFONT) != 0;
    if (layout.hasFont) {
        // Size, then (extended) weight, italic flag and character set, then the face.
        reader.Skip(layout.extended ? 6 : 2);
        reader.SkipString();
    }
    layout.fontEnd = reader.Position();
    for (WORD item = 0; item < count && !reader.Failed(); ++item) {
        reader.AlignToDword();
        if (item == 0)
            layout.itemsOffset = reader.Position();
        reader.Skip(layout.extended ? kExtendedItemSize : kItemSize);
        reader.SkipNameOrOrdinal(); // class
        reader.SkipNameOrOrdinal(); // text
        reader.Skip(reader.Word()); // creation data
    }
    if (count == 0)
        layout.itemsOffset = layout.fontEnd;
    layout.end = reader.Position();
    return !reader.Failed();
}

// The UTF-16 face at data as ANSI text.
CString FaceFromTemplate(const BYTE* data, DWORD size)
{
    std::wstring face;
    for (DWORD at = 0; at + 2 <= size; at += 2) {
        const WORD unit = ReadWord(data, at);
        if (!unit)
            break;
        face.push_back(static_cast<wchar_t>(unit));
    }
    CString text;
    if (face.empty())
        return text;
    const int length = ::WideCharToMultiByte(CP_ACP, 0, face.c_str(), -1, nullptr, 0, nullptr,
                                             nullptr);
    if (length > 1) {
        ::WideCharToMultiByte(CP_ACP, 0, face.c_str(), -1, text.GetBuffer(length), length,
                              nullptr, nullptr);
        text.ReleaseBuffer(length - 1);
    }
    return text;
}

void AppendWord(std::vector<BYTE>& bytes, WORD value)
{
    bytes.push_back(static_cast<BYTE>(value & 0xFF));
    bytes.push_back(static_cast<BYTE>(value >> 8));
}

} // namespace

DWORD CDialogTemplate::MeasureTemplate(const void* dialogTemplate, DWORD limit)
{
    TemplateLayout layout;
    return WalkTemplate(static_cast<const BYTE*>(dialogTemplate), limit, layout) ? layout.end : 0;
}

bool CDialogTemplate::Load(const void* dialogTemplate, DWORD size)
{
    m_bytes.clear();
    const DWORD used = MeasureTemplate(dialogTemplate, size);
    if (!used)
        return false;
    const auto* bytes = static_cast<const BYTE*>(dialogTemplate);
    m_bytes.assign(bytes, bytes + used);
    return true;
}

bool CDialogTemplate::IsExtended() const
{
    return IsExtendedTemplate(m_bytes.data(), GetSize());
}

bool CDialogTemplate::GetFont(CString& face, WORD& pointSize) const
{
    TemplateLayout layout;
    if (!WalkTemplate(m_bytes.data(), GetSize(), layout) || !layout.hasFont)
        return false;
    pointSize = ReadWord(m_bytes.data(), layout.fontOffset);
    const DWORD faceOffset = layout.fontOffset + (layout.extended ? 6 : 2);
    face = FaceFromTemplate(m_bytes.data() + faceOffset, layout.fontEnd - faceOffset);
    return true;
}

bool CDialogTemplate::SetFont(LPCTSTR face, WORD pointSize)
{
    TemplateLayout layout;
    if (!WalkTemplate(m_bytes.data(), GetSize(), layout))
        return false;
    const BYTE* old = m_bytes.data();
    std::vector<BYTE> bytes(old, old + layout.fontOffset);
    AppendWord(bytes, pointSize);
    if (layout.extended) {
        // An added font gets the normal weight, upright, default character set.
        WORD weight = FW_NORMAL;
        WORD italicAndCharset = DEFAULT_CHARSET << 8;
        if (layout.hasFont) {
            weight = ReadWord(old, layout.fontOffset + 2);
            italicAndCharset = ReadWord(old, layout.fontOffset + 4);
        }
        AppendWord(bytes, weight);
        AppendWord(bytes, italicAndCharset);
    }
    const int units = ::MultiByteToWideChar(CP_ACP, 0, face, -1, nullptr, 0);
    std::wstring wide(units > 0 ? static_cast<size_t>(units) : 1, L'\0');
    if (units > 0)
        ::MultiByteToWideChar(CP_ACP, 0, face, -1, wide.data(), units);
    for (wchar_t unit : wide) // the terminator included
        AppendWord(bytes, static_cast<WORD>(unit));
    while (bytes.size() % 4)
        bytes.push_back(0);
    bytes.insert(bytes.end(), old + layout.itemsOffset, old + layout.end);
    if (!layout.hasFont) {
        const DWORD styleOffset = layout.extended ? kExtendedStyleOffset : kStyleOffset;
        const DWORD style = ReadDword(bytes.data(), styleOffset) | DS_SETFONT;
        std::memcpy(bytes.data() + styleOffset, &style, 4);
    }
    m_bytes.swap(bytes);
    return true;
}

bool CDialogTemplate::SetSystemFont(WORD pointSize)
{
    LOGFONTA font = {};
    if (!::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font))
        return false;
    if (pointSize == 0) {
        const HDC screen = ::GetDC(nullptr);
        const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
        ::ReleaseDC(nullptr, screen);
        pointSize = static_cast<WORD>(::MulDiv(std::abs(font.lfHeight), 72, pixelsPerInch));
    }
    return SetFont(font.lfFaceName, pointSize);
}

HGLOBAL CDialogTemplate::CopyToGlobal() const
{
    if (m_bytes.empty())
        return nullptr;
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, m_bytes.size());
    if (void* target = block ? ::GlobalLock(block) : nullptr) {
        std::memcpy(target, m_bytes.data(), m_bytes.size());
        ::GlobalUnlock(block);
    }
    return block;
}

bool CDialogTemplate::IsGenericDialogFace(const CString& face)
{
    return face == "MS Shell Dlg" || face == "MS Sans Serif" || face == "Helv";
}
