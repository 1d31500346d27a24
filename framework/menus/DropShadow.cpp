#include "framework/menus/DropShadow.h"

CExtDropShadow::CExtDropShadow()
{
    Reset();
}

CExtDropShadow::~CExtDropShadow()
{
    Reset();
}

void CExtDropShadow::Reset()
{
    m_rightBand.DeleteObject();
    m_bottomBand.DeleteObject();
    m_popup = CRect();
    m_clip.DeleteObject();
    m_options = 0;
}
