#include "core/Markers.h"

#include <gtest/gtest.h>

#include "tests/support/ByteArrays.h"

namespace {

CHexEditMarker Marker(int start, int length, const char* comment)
{
    CHexEditMarker marker;
    marker.start = start;
    marker.length = length;
    marker.textColor = 0x0000FF;
    marker.backColor = 0xCCCCEE;
    marker.comment = comment;
    return marker;
}

TEST(MarkersTest, RecordsAreTheCommentPlusTwentyOneBytesAndReadBackInOrder)
{
    const CMarkerList markers = {Marker(0, 4, "a"), Marker(-1, -1, ""), Marker(10, 2, "xyz")};
    const Bytes bytes = MarkersToBytes(markers);
    ASSERT_EQ(67u, bytes.size());
    EXPECT_EQ((Bytes{22, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0xFF, 0, 0, 0, 0xEE, 0xCC, 0xCC, 0, 'a', 0}),
              Bytes(bytes.begin(), bytes.begin() + 22));
    EXPECT_EQ(21, bytes[22]);

    CMarkerList read;
    EXPECT_EQ(3, BytesToMarkers(bytes, read));
    EXPECT_EQ(markers, read);
    EXPECT_TRUE(MarkersToBytes({}).empty());
}

TEST(MarkersTest, DamagedRecordsEndTheWalkInsideTheBytes)
{
    const Bytes good = MarkerToBytes(Marker(1, 2, "ok"));
    auto withSecond = [&](const Bytes& second) {
        Bytes bytes = good;
        bytes.insert(bytes.end(), second.begin(), second.end());
        return bytes;
    };
    Bytes noZero = MarkerToBytes(Marker(3, 4, "abc"));
    noZero.back() = 'd';
    Bytes sizeZero = MarkerToBytes(Marker(3, 4, "abc"));
    sizeZero[0] = 0;
    Bytes sizeTwenty = sizeZero;
    sizeTwenty[0] = 20;
    Bytes pastEnd = MarkerToBytes(Marker(3, 4, "abc"));
    pastEnd[0] = 25;
    Bytes huge = MarkerToBytes(Marker(3, 4, "abc"));
    huge[3] = 0xFF;
    const Bytes shortTail(20, 0x30);

    for (const Bytes& second : {noZero, sizeZero, sizeTwenty, pastEnd, huge, shortTail}) {
        CMarkerList read;
        // Copied to a buffer of its own size, so a read past it is caught by the sanitizer build.
        const Bytes bytes = withSecond(second);
        EXPECT_EQ(1, BytesToMarkers(bytes, read));
        ASSERT_EQ(1u, read.size());
        EXPECT_EQ(Marker(1, 2, "ok"), read[0]);
    }
}

TEST(MarkersTest, ACommentEndsAtItsFirstZeroAndALongerRecordIsSteppedOver)
{
    Bytes first = MarkerToBytes(Marker(1, 1, "ab"));
    first[21] = 0;                   // "a", then a zero and a spare byte inside the record
    Bytes bytes = first;
    const Bytes second = MarkerToBytes(Marker(2, 2, "c"));
    bytes.insert(bytes.end(), second.begin(), second.end());
    CMarkerList read;
    EXPECT_EQ(2, BytesToMarkers(bytes, read));
    EXPECT_EQ(Marker(1, 1, "a"), read[0]);
    EXPECT_EQ(Marker(2, 2, "c"), read[1]);
}

}  // namespace
