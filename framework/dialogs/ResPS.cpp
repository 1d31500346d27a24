#include "framework/dialogs/ResPS.h"

IMPLEMENT_DYNCREATE(CExtResPS, CPropertySheet)
