// Marker records as a .qvg's marker arrays or a .mrk file after its magic may hold them: the walk
// ends, stays inside the bytes, and what it read writes back to records that read the same.
#include "core/Markers.h"
#include "native/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const BYTE* data, size_t size)
{
    CMarkerList markers;
    const int count = BytesToMarkers(std::span<const BYTE>(data, size), markers);
    FUZZ_CHECK(count >= 0 && static_cast<size_t>(count) == markers.size());
    FUZZ_CHECK(markers.size() <= size / 21);

    const std::vector<BYTE> written = MarkersToBytes(markers);
    CMarkerList again;
    BytesToMarkers(written, again);
    FUZZ_CHECK(again == markers);
    return 0;
}
