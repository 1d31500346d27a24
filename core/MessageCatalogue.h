#pragma once

#include "platform/String.h"
#include "platform/Types.h"

// Fixed text of a message code (log messages, tree captions, prompts, export headers).
// Returns "" for a code without text. Keeps no state: safe from any thread.
CString GetMessageText(UINT code);
