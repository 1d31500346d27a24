#pragma once

#include "platform/String.h"

// Text for a Winsock error number. kind: 0 English text, 1 Japanese explanation,
// 2 the placeholder "AAAAA", 3 symbolic name (WSAECONNRESET ...). Codes without texts of their
// own (the QoS range) give the name for every kind. Unknown code or kind: "". Keeps no state.
CString GetWinsockErrorText(int kind, int code);
