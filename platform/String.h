// Multibyte (code page 932) string with the familiar CString interface. Positions and lengths
// are in bytes; searching, trimming, case folding and tokenizing step over double-byte
// characters, so a trail byte such as 0x5C is never taken for '\\' and never case-folded.
// A char argument (Find, Replace, Remove, ...) only ever matches a single-byte character.
#pragma once

#include <compare>
#include <cstdarg>
#include <string>
#include <utility>

#include "platform/Types.h"

class CString
{
public:
    CString() = default;
    CString(const char* psz);               // null gives an empty string
    CString(const char* pch, int nLength);  // the only way to hold embedded zero bytes
    CString(char ch, int nRepeat = 1);

    CString& operator=(const char* psz);
    CString& operator=(char ch);

    operator const char*() const { return m_text.c_str(); }
    const char* GetString() const { return m_text.c_str(); }

    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    // Out-of-range indexes throw CInvalidArgException*.
    char GetAt(int nIndex) const;
    void SetAt(int nIndex, char ch);
    char operator[](int nIndex) const { return GetAt(nIndex); }

    CString& operator+=(const CString& str);
    CString& operator+=(const char* psz);
    CString& operator+=(char ch);

    friend CString operator+(const CString& left, const CString& right);
    friend CString operator+(const CString& left, const char* right);
    friend CString operator+(const char* left, const CString& right);
    friend CString operator+(const CString& left, char right);
    friend CString operator+(char left, const CString& right);

    // Byte-wise, bytes taken as unsigned (so 0x83 sorts after 'z').
    int Compare(const char* psz) const;
    int CompareNoCase(const char* psz) const;
    friend bool operator==(const CString& left, const CString& right)
    {
        return left.m_text == right.m_text;
    }
    friend bool operator==(const CString& left, const char* right)
    {
        return left.m_text.compare(right) == 0;
    }
    friend std::strong_ordering operator<=>(const CString& left, const CString& right)
    {
        return left.m_text.compare(right.m_text) <=> 0;
    }
    friend std::strong_ordering operator<=>(const CString& left, const char* right)
    {
        return left.m_text.compare(right) <=> 0;
    }

    CString& MakeUpper();
    CString& MakeLower();

    // Out-of-range arguments are clamped, as callers expect.
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    // Return the byte index of the match, or -1.
    int Find(char ch, int iStart = 0) const;
    int Find(const char* pszSub, int iStart = 0) const;
    int ReverseFind(char ch) const;

    // Return the number of replacements / removals.
    int Replace(char chOld, char chNew);
    int Replace(const char* pszOld, const char* pszNew);
    int Remove(char ch);
    // Return the new length.
    int Insert(int iIndex, char ch);
    int Insert(int iIndex, const char* psz);
    int Delete(int iIndex, int nCount = 1);

    // Without an argument these trim white space.
    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(const char* pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(const char* pszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(const char* pszTargets);

    void Format(const char* pszFormat, ...) PLATFORM_CHECK_PRINTF(2, 3);
    void AppendFormat(const char* pszFormat, ...) PLATFORM_CHECK_PRINTF(2, 3);
    void FormatV(const char* pszFormat, va_list args);

    // The buffer holds at least nMinBufferLength bytes plus a terminator. Until ReleaseBuffer
    // settles it (the length given, or strlen of the buffer) the string's length means nothing.
    char* GetBuffer(int nMinBufferLength = 0);
    char* GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);

    CString SpanIncluding(const char* pszCharSet) const;
    CString SpanExcluding(const char* pszCharSet) const;
    // Returns the next token at or after iStart and moves iStart past it; at the end returns an
    // empty string and sets iStart to -1.
    CString Tokenize(const char* pszTokens, int& iStart) const;

private:
    explicit CString(std::string text)
        : m_text(std::move(text))
    { }

    int CharLengthAt(int index) const;
    bool IsSingleByteCharAt(int index, char ch) const;
    // End of the run of characters starting at 'start' that are (or are not) in pszCharSet.
    int SpanEnd(int start, const char* pszCharSet, bool inSet) const;

    std::string m_text;
};
