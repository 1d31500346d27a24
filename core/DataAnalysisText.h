// The data-analysis text: how the bytes at a position read as integers and floating-point numbers
// of 1, 2, 4 and 8 bytes, little-endian ("L:") and big-endian ("B:"), with CR LF line breaks.
// A group appears only when that many bytes remain from the position.
#pragma once
#include <span>

#include "platform/String.h"
#include "platform/Types.h"

CString DataAnalysisText(int position, std::span<const BYTE> data);
