// CWaitCursor: shows the hourglass for as long as the object lives and puts back the cursor that
// was shown before, on every way out of the scope.
#pragma once
#include "platform/Types.h"

class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_previous;
};
