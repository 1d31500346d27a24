// CArchive: binary serialisation onto a CFile, byte for byte in the established format:
// numbers little-endian at their own size, strings with a length prefix of 1, 3 or 7 bytes.
// Writes go straight to the file. A read that runs out of data throws
// CArchiveException*(endOfFile) and never reads beyond the end of the file.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <type_traits>

#include "platform/File.h"
#include "platform/String.h"
#include "platform/Types.h"

class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1
    };

    CArchive(CFile* pFile, UINT nMode)
        : m_file(pFile)
        , m_mode(nMode & load ? load : store)
    { }
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return m_mode == load; }
    BOOL IsStoring() const { return m_mode == store; }
    CFile* GetFile() const { return m_file; }

    // Read returns the bytes read, fewer at the end of the file; the mode is checked, so
    // reading a storing archive or writing a loading one throws (writeOnly / readOnly).
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    void Flush();
    // Flushes and lets go of the file, which stays open.
    void Close();

    // The scalar types the format knows: integers of every size, char, float and double.
    template <class T>
    static constexpr bool kScalar =
        std::is_integral_v<T> || std::is_same_v<T, float> || std::is_same_v<T, double>;

    template <class T>
        requires kScalar<T>
    CArchive& operator<<(T value)
    {
        auto bytes = std::bit_cast<std::array<BYTE, sizeof(T)>>(value);
        if constexpr (std::endian::native == std::endian::big)
            std::reverse(bytes.begin(), bytes.end());
        Write(bytes.data(), sizeof(T));
        return *this;
    }

    template <class T>
        requires kScalar<T>
    CArchive& operator>>(T& value)
    {
        std::array<BYTE, sizeof(T)> bytes;
        ReadExactly(bytes.data(), sizeof(T));
        if constexpr (std::endian::native == std::endian::big)
            std::reverse(bytes.begin(), bytes.end());
        value = std::bit_cast<T>(bytes);
        return *this;
    }

    CArchive& operator<<(const CString& str);
    CArchive& operator>>(CString& str);

private:
    CFile& File(Mode required) const;
    void ReadExactly(void* lpBuf, UINT nCount);
    DWORD ReadStringLength();

    CFile* m_file;
    Mode m_mode;
};
