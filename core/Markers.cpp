#include "core/Markers.h"

#include <algorithm>
#include <cstring>

#include "core/ByteStream.h"
#include "core/LittleEndian.h"

bool CHexEditMarker::operator==(const CHexEditMarker& other) const
{
    return start == other.start && length == other.length && textColor == other.textColor &&
           backColor == other.backColor && std::strcmp(comment, other.comment) == 0;
}

std::vector<BYTE> MarkerToBytes(const CHexEditMarker& marker)
{
    const DWORD commentLength = static_cast<DWORD>(std::strlen(marker.comment));
    std::vector<BYTE> record(kMarkerRecordHeader + commentLength + 1, 0);
    PutUInt32LE(&record[0], static_cast<DWORD>(record.size()));
    PutUInt32LE(&record[4], static_cast<DWORD>(marker.start));
    PutUInt32LE(&record[8], static_cast<DWORD>(marker.length));
    PutUInt32LE(&record[12], marker.textColor);
    PutUInt32LE(&record[16], marker.backColor);
    std::memcpy(&record[kMarkerRecordHeader], marker.comment.GetString(), commentLength);
    return record;
}

std::vector<BYTE> MarkersToBytes(const CMarkerList& markers)
{
    std::vector<BYTE> bytes;
    for (const CHexEditMarker& marker : markers) {
        const std::vector<BYTE> record = MarkerToBytes(marker);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return bytes;
}

int BytesToMarkers(std::span<const BYTE> bytes, CMarkerList& markers)
{
    int added = 0;
    size_t offset = 0;
    while (bytes.size() - offset > kMarkerRecordHeader) {
        const BYTE* record = bytes.data() + offset;
        const size_t size = GetUInt32LE(record);
        if (size <= kMarkerRecordHeader || size > bytes.size() - offset)
            break;
        const BYTE* comment = record + kMarkerRecordHeader;
        const BYTE* end = record + size;
        const BYTE* zero = std::find(comment, end, BYTE{0});
        if (zero == end)
            break;
        CHexEditMarker marker;
        marker.start = static_cast<int>(GetUInt32LE(record + 4));
        marker.length = static_cast<int>(GetUInt32LE(record + 8));
        marker.textColor = GetUInt32LE(record + 12);
        marker.backColor = GetUInt32LE(record + 16);
        marker.comment = CString(reinterpret_cast<const char*>(comment),
                                 static_cast<int>(zero - comment));
        markers.push_back(marker);
        ++added;
        offset += size;
    }
    return added;
}

BOOL WriteMarkerFile(const char* path, const CMarkerList& markers)
{
    CByteStream stream;
    BYTE magic[4];
    PutUInt32LE(magic, kMarkerFileMagic);
    stream.AppendBytes(magic, sizeof magic);
    const std::vector<BYTE> records = MarkersToBytes(markers);
    stream.AppendBytes(records.data(), static_cast<DWORD>(records.size()));
    return stream.WriteFile(path) ? TRUE : FALSE;
}

BOOL ReadMarkerFile(const char* path, CMarkerList& markers)
{
    CByteStream stream;
    if (!stream.ReadFile(path) || stream.GetSize() < 4 || GetUInt32LE(stream.GetData()) != kMarkerFileMagic)
        return FALSE;
    BytesToMarkers(std::span<const BYTE>(stream.GetData() + 4, stream.GetSize() - 4), markers);
    return TRUE;
}
