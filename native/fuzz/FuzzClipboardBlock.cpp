// The clipboard's "BinaryData" block and text block as another program could leave them: the
// content lies inside the block, and a block made of it gives it back.
#include <algorithm>
#include <vector>

#include "core/ClipboardBlock.h"
#include "native/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const BYTE* data, size_t size)
{
    const std::span<const BYTE> block(data, size);
    const std::span<const BYTE> content = BinaryDataContent(block);
    FUZZ_CHECK(content.empty() || (content.data() == data + 4 && content.size() <= size - 4));

    BYTE count[4];
    PutBinaryDataCount(count, static_cast<DWORD>(content.size()));
    std::vector<BYTE> made(count, count + 4);
    made.insert(made.end(), content.begin(), content.end());
    const std::span<const BYTE> again = BinaryDataContent(made);
    FUZZ_CHECK(std::equal(again.begin(), again.end(), content.begin(), content.end()));

    const std::span<const BYTE> text = TextBlockContent(block);
    FUZZ_CHECK(text.size() == (size > 0 ? size - 1 : 0));
    return 0;
}
