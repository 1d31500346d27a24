// CExtResPS: the property sheet of the framework's pages. Each CExtResPP prepares its own
// description when the sheet is built (its template through the resource manager, in the
// property-sheet font); other pages keep the platform's preparation.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/PropertySheet.h"

class CExtResPS : public CPropertySheet
{
    DECLARE_DYNCREATE(CExtResPS)
public:
    CExtResPS() = default;
};
