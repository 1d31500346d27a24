// The settings document (.qvg) of any version: a file that loads saves back to bytes that load
// equal; one that does not load leaves the defaults.
#include <span>

#include "core/CommSettings.h"
#include "native/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const BYTE* data, size_t size)
{
    static const CCommSettings defaults;
    CCommSettings document(defaults);
    const int result = document.FromFileBytes(std::span<const BYTE>(data, size));
    FUZZ_CHECK(result == 0 || (result <= -2 && result >= -5));
    if (result != 0) {
        FUZZ_CHECK(document == defaults);
        return 0;
    }
    CCommSettings again(defaults);
    FUZZ_CHECK(again.FromFileBytes(document.ToFileBytes(CCommSettings::kCurrentFileVersion)) == 0);
    FUZZ_CHECK(again == document);
    return 0;
}
