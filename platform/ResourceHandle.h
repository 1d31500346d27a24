// The module the framework loads its resources from: the instance handle unless a module was
// set in its place.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Types.h"

HINSTANCE AfxGetResourceHandle();
// Null goes back to the instance handle.
void AfxSetResourceHandle(HINSTANCE hResource);
