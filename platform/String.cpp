#include "platform/String.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "platform/Exceptions.h"
#include "platform/Mbcs.h"

namespace {

const char kWhitespace[] = " \t\n\v\f\r";

// Shifts the single-byte ASCII letters first..first+25; bytes of double-byte characters stay.
std::string FoldLetters(std::string text, char first, int shift)
{
    const int length = static_cast<int>(text.size());
    for (int i = 0; i < length; i += MbcsCharLength(text.data(), length, i)) {
        if (text[i] >= first && text[i] < first + 26)
            text[i] = static_cast<char>(text[i] + shift);
    }
    return text;
}

// True when the character ch (1 or 2 bytes) is one of the characters of charSet.
bool SetContains(const char* charSet, const char* ch, int chLength)
{
    const int setLength = static_cast<int>(std::strlen(charSet));
    for (int i = 0; i < setLength; i += MbcsCharLength(charSet, setLength, i)) {
        if (MbcsCharLength(charSet, setLength, i) == chLength &&
            std::memcmp(charSet + i, ch, chLength) == 0)
            return true;
    }
    return false;
}

// Formats into a new string, never into the caller's: the arguments may point into it.
std::string Formatted(const char* format, va_list args)
{
    va_list probe;
    va_copy(probe, args);
    const int length = std::vsnprintf(nullptr, 0, format, probe);
    va_end(probe);
    if (length < 0)
        AfxThrowInvalidArgException();
    std::string text(length, '\0');
    std::vsnprintf(text.data(), length + 1, format, args);
    return text;
}

}  // namespace

CString::CString(const char* psz)
    : m_text(psz != nullptr ? psz : "")
{ }

CString::CString(const char* pch, int nLength)
    : m_text(pch, std::max(nLength, 0))
{ }

CString::CString(char ch, int nRepeat)
    : m_text(std::max(nRepeat, 0), ch)
{ }

CString& CString::operator=(const char* psz)
{
    m_text = psz != nullptr ? psz : "";
    return *this;
}

CString& CString::operator=(char ch)
{
    m_text.assign(1, ch);
    return *this;
}

char CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    return m_text[nIndex];
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    m_text[nIndex] = ch;
}

CString& CString::operator+=(const CString& str)
{
    m_text += str.m_text;
    return *this;
}

CString& CString::operator+=(const char* psz)
{
    if (psz != nullptr)
        m_text += psz;
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_text += ch;
    return *this;
}

CString operator+(const CString& left, const CString& right)
{
    return CString(left.m_text + right.m_text);
}
CString operator+(const CString& left, const char* right)
{
    return CString(left) += right;
}
CString operator+(const char* left, const CString& right)
{
    return CString(left) += right;
}
CString operator+(const CString& left, char right)
{
    return CString(left.m_text + right);
}
CString operator+(char left, const CString& right)
{
    return CString(left + right.m_text);
}

int CString::Compare(const char* psz) const
{
    return m_text.compare(psz);
}

int CString::CompareNoCase(const char* psz) const
{
    return FoldLetters(m_text, 'A', 'a' - 'A').compare(FoldLetters(psz, 'A', 'a' - 'A'));
}

CString& CString::MakeUpper()
{
    m_text = FoldLetters(std::move(m_text), 'a', 'A' - 'a');
    return *this;
}

CString& CString::MakeLower()
{
    m_text = FoldLetters(std::move(m_text), 'A', 'a' - 'A');
    return *this;
}

CString CString::Mid(int iFirst) const
{
    return Mid(iFirst, INT_MAX);
}

CString CString::Mid(int iFirst, int nCount) const
{
    const int first = std::clamp(iFirst, 0, GetLength());
    const int count = std::clamp(nCount, 0, GetLength() - first);
    return CString(m_text.substr(first, count));
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    const int count = std::clamp(nCount, 0, GetLength());
    return CString(m_text.substr(GetLength() - count));
}

int CString::CharLengthAt(int index) const
{
    return MbcsCharLength(m_text.data(), GetLength(), index);
}

bool CString::IsSingleByteCharAt(int index, char ch) const
{
    return m_text[index] == ch && CharLengthAt(index) == 1;
}

int CString::Find(char ch, int iStart) const
{
    for (int i = std::max(iStart, 0); i < GetLength(); i += CharLengthAt(i)) {
        if (IsSingleByteCharAt(i, ch))
            return i;
    }
    return -1;
}

int CString::Find(const char* pszSub, int iStart) const
{
    const int subLength = static_cast<int>(std::strlen(pszSub));
    for (int i = std::max(iStart, 0); i + subLength <= GetLength(); i += CharLengthAt(i)) {
        if (m_text.compare(i, subLength, pszSub) == 0)
            return i;
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    int found = -1;
    for (int i = 0; i < GetLength(); i += CharLengthAt(i)) {
        if (IsSingleByteCharAt(i, ch))
            found = i;
    }
    return found;
}

int CString::Replace(char chOld, char chNew)
{
    int count = 0;
    for (int i = 0; i < GetLength(); i += CharLengthAt(i)) {
        if (IsSingleByteCharAt(i, chOld)) {
            m_text[i] = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* pszOld, const char* pszNew)
{
    // Copies first: either argument may point into this string.
    const std::string oldText = pszOld != nullptr ? pszOld : "";
    const std::string newText = pszNew != nullptr ? pszNew : "";
    if (oldText.empty())
        return 0;
    std::string result;
    int count = 0;
    int copied = 0;
    for (int i = 0; i + static_cast<int>(oldText.size()) <= GetLength();) {
        if (m_text.compare(i, oldText.size(), oldText) == 0) {
            result.append(m_text, copied, i - copied).append(newText);
            i += static_cast<int>(oldText.size());
            copied = i;
            ++count;
        } else {
            i += CharLengthAt(i);
        }
    }
    if (count > 0)
        m_text = result.append(m_text, copied);
    return count;
}

int CString::Remove(char ch)
{
    std::string kept;
    for (int i = 0; i < GetLength(); i += CharLengthAt(i)) {
        if (!IsSingleByteCharAt(i, ch))
            kept.append(m_text, i, CharLengthAt(i));
    }
    const int removed = GetLength() - static_cast<int>(kept.size());
    m_text.swap(kept);
    return removed;
}

int CString::Insert(int iIndex, char ch)
{
    m_text.insert(std::clamp(iIndex, 0, GetLength()), 1, ch);
    return GetLength();
}

int CString::Insert(int iIndex, const char* psz)
{
    if (psz != nullptr)
        m_text.insert(std::clamp(iIndex, 0, GetLength()), psz);
    return GetLength();
}

int CString::Delete(int iIndex, int nCount)
{
    const int first = std::clamp(iIndex, 0, GetLength());
    m_text.erase(first, std::max(nCount, 0));
    return GetLength();
}

CString& CString::Trim()
{
    return Trim(kWhitespace);
}
CString& CString::Trim(char chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}
CString& CString::Trim(const char* pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}
CString& CString::TrimLeft()
{
    return TrimLeft(kWhitespace);
}
CString& CString::TrimRight()
{
    return TrimRight(kWhitespace);
}

CString& CString::TrimLeft(char chTarget)
{
    const char targets[] = {chTarget, '\0'};
    return TrimLeft(targets);
}

CString& CString::TrimRight(char chTarget)
{
    const char targets[] = {chTarget, '\0'};
    return TrimRight(targets);
}

CString& CString::TrimLeft(const char* pszTargets)
{
    m_text.erase(0, SpanEnd(0, pszTargets, true));
    return *this;
}

CString& CString::TrimRight(const char* pszTargets)
{
    int end = 0;
    for (int i = 0; i < GetLength(); i += CharLengthAt(i)) {
        if (!SetContains(pszTargets, &m_text[i], CharLengthAt(i)))
            end = i + CharLengthAt(i);
    }
    m_text.resize(end);
    return *this;
}

void CString::Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    m_text = Formatted(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    m_text += Formatted(pszFormat, args);
    va_end(args);
}

void CString::FormatV(const char* pszFormat, va_list args)
{
    m_text = Formatted(pszFormat, args);
}

char* CString::GetBuffer(int nMinBufferLength)
{
    if (nMinBufferLength > GetLength())
        m_text.resize(nMinBufferLength);
    return m_text.data();
}

char* CString::GetBufferSetLength(int nLength)
{
    m_text.resize(std::max(nLength, 0));
    return m_text.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    m_text.resize(nNewLength < 0 ? std::strlen(m_text.c_str()) : static_cast<size_t>(nNewLength));
}

int CString::SpanEnd(int start, const char* pszCharSet, bool inSet) const
{
    int i = start;
    while (i < GetLength() && SetContains(pszCharSet, &m_text[i], CharLengthAt(i)) == inSet)
        i += CharLengthAt(i);
    return i;
}

CString CString::SpanIncluding(const char* pszCharSet) const
{
    return Left(SpanEnd(0, pszCharSet, true));
}

CString CString::SpanExcluding(const char* pszCharSet) const
{
    return Left(SpanEnd(0, pszCharSet, false));
}

CString CString::Tokenize(const char* pszTokens, int& iStart) const
{
    const char* tokens = pszTokens != nullptr ? pszTokens : "";
    if (iStart >= 0 && iStart < GetLength()) {
        const int first = SpanEnd(iStart, tokens, true);
        if (first < GetLength()) {
            const int end = SpanEnd(first, tokens, false);
            // Past the delimiter that ended the token, which may be a double-byte character.
            iStart = end + (end < GetLength() ? CharLengthAt(end) : 1);
            return Mid(first, end - first);
        }
    }
    iStart = -1;
    return CString();
}
