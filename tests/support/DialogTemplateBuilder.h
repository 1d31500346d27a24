// Dialog templates of either form built byte by byte, for tests of code that reads them.
#pragma once
#include <windows.h>

#include <vector>

// Builds a template with a caption "T" and controls, each with an ordinal class, a text and
// creation data of the given sizes.
class TemplateBuilder
{
public:
    TemplateBuilder(bool extended, const wchar_t* face, WORD points)
        : m_extended(extended)
    {
        const DWORD style = WS_POPUP | (face ? DS_SETFONT : 0);
        if (extended) {
            Word(1), Word(0xFFFF), Dword(0), Dword(0), Dword(style);
        } else {
            Dword(style), Dword(0);
        }
        m_countOffset = m_bytes.size();
        Word(0);
        Word(0), Word(0), Word(100), Word(50);
        Word(0), Word(0), String(L"T");
        if (face) {
            Word(points);
            if (extended)
                Word(FW_BOLD), Word(0x8001); // bold, italic, Shift-JIS
            String(face);
        }
    }

    TemplateBuilder& Control(WORD id, const wchar_t* text, WORD extraBytes = 0)
    {
        while (m_bytes.size() % 4)
            m_bytes.push_back(0);
        if (m_extended)
            Dword(0), Dword(0), Dword(WS_CHILD | WS_VISIBLE);
        else
            Dword(WS_CHILD | WS_VISIBLE), Dword(0);
        Word(5), Word(5 + id), Word(40), Word(12);
        if (m_extended)
            Dword(id);
        else
            Word(id);
        Word(0xFFFF), Word(0x0081); // an edit control
        String(text);
        Word(extraBytes);
        m_bytes.insert(m_bytes.end(), extraBytes, 0xAB);
        ++m_bytes[m_countOffset];
        return *this;
    }

    const std::vector<BYTE>& Bytes() const { return m_bytes; }

private:
    TemplateBuilder& Word(WORD value)
    {
        m_bytes.push_back(static_cast<BYTE>(value));
        m_bytes.push_back(static_cast<BYTE>(value >> 8));
        return *this;
    }
    TemplateBuilder& Dword(DWORD value) { return Word(LOWORD(value)), Word(HIWORD(value)); }
    TemplateBuilder& String(const wchar_t* text)
    {
        for (; *text; ++text)
            Word(static_cast<WORD>(*text));
        return Word(0);
    }

    bool m_extended;
    size_t m_countOffset = 0;
    std::vector<BYTE> m_bytes;
};
