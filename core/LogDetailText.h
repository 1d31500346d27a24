// The text the detailed-log pane shows for a message record: the catalogue message, the record's
// text bytes, and what its error code means (Winsock's name and texts for socket messages, the
// system's text for serial and other messages).
#pragma once
#include "core/LogRecord.h"
#include "platform/String.h"

// The system's own text of an error code; empty when it has none. A parameter so that the text
// can be built without the system.
using SystemErrorText = CString (*)(int code);

CString LogDetailText(const CLogRecord& record, SystemErrorText systemText);
