#include "core/ByteStream.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/LittleEndian.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/MoveFileOver.h"

void CByteStream::AppendBytes(const void* data, DWORD count)
{
    const BYTE* bytes = static_cast<const BYTE*>(data);
    m_bytes.insert(m_bytes.end(), bytes, bytes + count);
}

void CByteStream::AppendString(const char* text)
{
    const DWORD length = static_cast<DWORD>(std::strlen(text));
    BYTE count[4];
    PutUInt32LE(count, length);
    AppendBytes(count, sizeof count);
    AppendBytes(text, length);
}

void CByteStream::AppendArray(const COleSafeArray& bytes)
{
    BYTE count[4];
    PutUInt32LE(count, bytes.GetSize());
    AppendBytes(count, sizeof count);
    if (bytes.GetSize() > 0)
        AppendBytes(bytes.GetData(), bytes.GetSize());
}

bool CByteStream::ReadBytes(void* destination, DWORD count)
{
    CByteReader reader = Unread();
    const std::span<const BYTE> bytes = reader.ReadSpan(count);
    if (!Consume(reader))
        return false;
    std::copy(bytes.begin(), bytes.end(), static_cast<BYTE*>(destination));
    return true;
}

bool CByteStream::ReadString(CString& text)
{
    CByteReader reader = Unread();
    const std::span<const BYTE> bytes = reader.ReadCounted();
    if (!Consume(reader))
        return false;
    const char* characters = reinterpret_cast<const char*>(bytes.data());
    text = CString(characters, static_cast<int>(strnlen(characters, bytes.size())));
    return true;
}

bool CByteStream::ReadArray(COleSafeArray& bytes)
{
    CByteReader reader = Unread();
    const std::span<const BYTE> counted = reader.ReadCounted();
    if (!Consume(reader))
        return false;
    bytes.CreateOneDim(VT_UI1, static_cast<DWORD>(counted.size()), counted.data());
    return true;
}

CByteReader CByteStream::Unread() const
{
    return CByteReader(GetData(), GetSize());
}

bool CByteStream::Consume(const CByteReader& reader)
{
    if (reader.Failed())
        return false;
    m_readOffset += GetSize() - reader.Remaining();
    return true;
}

int CByteStream::WriteFile(const char* path) const
{
    if (GetSize() == 0)
        return 0;
    // Written beside the target first, and put in its place in one step only once complete, so
    // a failure at any point leaves the previous file as it was.
    const CString temporary = CString(path) + ".tmp";
    try {
        CFile file(temporary, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        file.Write(GetData(), GetSize());
        file.Close();
        if (MoveFileOver(temporary, path))
            return 1;
    } catch (CException* error) {
        error->Delete();
    }
    CFileStatus status;
    if (CFile::GetStatus(temporary, status)) {
        try {
            CFile::Remove(temporary);
        } catch (CException* error) {
            error->Delete();
        }
    }
    return 0;
}

int CByteStream::ReadFile(const char* path)
{
    try {
        CFile file;
        if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
            return 0;
        const ULONGLONG length = file.GetLength();
        if (length > 0x7FFFFFFF)
            return 0;
        std::vector<BYTE> content(static_cast<size_t>(length));
        if (file.Read(content.data(), static_cast<UINT>(content.size())) != content.size())
            return 0;
        m_bytes.swap(content);
        m_readOffset = 0;
        return 1;
    } catch (CException* error) {
        error->Delete();
    } catch (const std::bad_alloc&) {
    }
    return 0;
}

DWORD ComputeXorChecksum(const void* data, DWORD count)
{
    CByteReader reader(static_cast<const BYTE*>(data), count);
    DWORD checksum = 0;
    while (reader.Remaining() >= 4)
        checksum ^= reader.ReadUInt32();
    BYTE last[4] = {};
    const std::span<const BYTE> rest = reader.ReadSpan(reader.Remaining());
    std::copy(rest.begin(), rest.end(), last);
    return checksum ^ GetUInt32LE(last);
}
