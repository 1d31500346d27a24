#include "capture/EntryForm.h"

#include <algorithm>

#include "core/LittleEndian.h"

void AppendUInt32(CByteStream& form, DWORD value)
{
    BYTE bytes[4];
    PutUInt32LE(bytes, value);
    form.AppendBytes(bytes, sizeof bytes);
}

void AppendStoredPort(CByteStream& form, WORD storedPort)
{
    BYTE bytes[2];
    PutUInt16LE(bytes, storedPort);
    form.AppendBytes(bytes, sizeof bytes);
}

WORD ReadStoredPort(CByteReader& reader)
{
    return reader.ReadUInt16();
}

void AppendConditions(CByteStream& form, const std::vector<ByteCondition>& conditions)
{
    AppendUInt32(form, static_cast<DWORD>(conditions.size()));
    for (const ByteCondition& condition : conditions) {
        AppendUInt32(form, condition.offset);
        AppendUInt32(form, condition.value);
    }
}

bool ReadConditions(CByteReader& reader, std::vector<ByteCondition>& conditions)
{
    const DWORD kConditionSize = 8;
    conditions.clear();
    const DWORD count = reader.ReadUInt32();
    // Checked before anything is allocated for them.
    if (count > reader.Remaining() / kConditionSize) {
        reader.Skip(reader.Remaining() + 1);
        return false;
    }
    conditions.resize(count);
    for (ByteCondition& condition : conditions) {
        condition.offset = reader.ReadUInt32();
        condition.value = reader.ReadUInt32();
    }
    return !reader.Failed();
}

CString ReadCountedText(CByteReader& reader)
{
    const std::span<const BYTE> text = reader.ReadCounted();
    // A zero byte ends the text as it ends it everywhere the text is used and written.
    const auto end = std::find(text.begin(), text.end(), BYTE{0});
    return CString(reinterpret_cast<const char*>(text.data()),
                   static_cast<int>(end - text.begin()));
}
