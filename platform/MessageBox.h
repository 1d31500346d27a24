// AfxMessageBox: a message box with the application's name as caption, owned by the main
// window. Boxes are shown through a replaceable presenter, so that tests can answer them.
#pragma once
#include "platform/WindowLayer.h"

#include <functional>

#include "platform/Types.h"

// Shows a box and returns the button chosen (IDOK, IDYES, ...), as MessageBox does.
using MessageBoxPresenter =
    std::function<int(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)>;

// Installs presenter (an empty one restores the system's message box) and returns the previous.
MessageBoxPresenter AfxSetMessageBoxPresenter(MessageBoxPresenter presenter);

int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK);
// The text is string nIDPrompt of the string table.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK);
