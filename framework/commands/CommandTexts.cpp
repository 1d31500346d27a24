#include "framework/commands/CommandTexts.h"

#include "framework/commands/ResourceManager.h"

void SplitMenuCaption(const CString& caption, CString& menuText, CString& accelText)
{
    CString text = caption;
    text.Remove('\n');
    text.Remove('\r');
    text.Trim(' ');
    if (text.IsEmpty())
        return;
    const int tab = text.ReverseFind('\t');
    if (tab < 0) {
        menuText = text;
        return;
    }
    menuText = text.Left(tab);
    menuText.Trim(' ');
    accelText = text.Mid(tab + 1);
    accelText.Trim(' ');
}

bool SplitCommandPrompt(CString text, CString& statusText, CString& tipText)
{
    text.Replace('\t', ' ');
    text.Remove('\r');
    text.Trim(' ');
    if (text.IsEmpty())
        return false;
    const int lineFeed = text.ReverseFind('\n');
    if (lineFeed < 0) {
        statusText = text;
        return true;
    }
    tipText = text.Mid(lineFeed + 1);
    tipText.Trim(' ');
    statusText = text.Left(lineFeed);
    statusText.Trim(' ');
    return true;
}

bool LoadCommandString(UINT id, CString& text)
{
    return g_ResourceManager->LoadString(text, id);
}
