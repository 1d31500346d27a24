// CDC: a device context handle as message handlers receive it. The layer only ever wraps a
// context that someone else owns, so it never releases one.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Types.h"

class CDC
{
public:
    CDC() = default;
    explicit CDC(HDC hDC) : m_hDC(hDC) { }

    HDC GetSafeHdc() const { return m_hDC; }

    HDC m_hDC = nullptr;
};
