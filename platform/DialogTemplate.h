// CDialogTemplate: an owned copy of a dialog template (DLGTEMPLATE or DLGTEMPLATEEX) whose font
// can be read and replaced. Templates come from resources and callers, so every walk over one is
// bounded by the size it was given: a template that runs past its end is refused, not read.
#pragma once
#include "platform/WindowLayer.h"

#include <vector>

#include "platform/String.h"
#include "platform/Types.h"

class CDialogTemplate
{
public:
    // The largest template a caller may hand over without its size (a resource is far smaller).
    static constexpr DWORD kMaxTemplateSize = 0x100000;

    CDialogTemplate() = default;

    // Copies the template of size bytes; false (and empty) when it is malformed or runs past
    // size. Only the bytes the template really uses are kept.
    bool Load(const void* dialogTemplate, DWORD size = kMaxTemplateSize);
    bool IsEmpty() const { return m_bytes.empty(); }
    bool IsExtended() const;

    // The font the template names (face in the ANSI code page, size in points); false when the
    // template has none.
    bool GetFont(CString& face, WORD& pointSize) const;
    // Gives the template the font, adding one when it had none. An extended template keeps its
    // weight, italic flag and character set.
    bool SetFont(LPCTSTR face, WORD pointSize);
    // The default GUI font's face at pointSize (0: that font's own size), as a double-byte
    // system shows dialogs that name the generic dialog fonts.
    bool SetSystemFont(WORD pointSize = 0);

    const DLGTEMPLATE* GetTemplate() const
    {
        return m_bytes.empty() ? nullptr : reinterpret_cast<const DLGTEMPLATE*>(m_bytes.data());
    }
    DWORD GetSize() const { return static_cast<DWORD>(m_bytes.size()); }
    // A global memory block holding a copy, as dialog and page descriptions take it; the caller
    // frees it. Null when empty.
    HGLOBAL CopyToGlobal() const;

    // The number of bytes the template uses, at most limit; 0 when it is malformed or longer.
    static DWORD MeasureTemplate(const void* dialogTemplate, DWORD limit = kMaxTemplateSize);
    // True when the face is one of the generic dialog fonts that code page substitutes.
    static bool IsGenericDialogFace(const CString& face);

private:
    std::vector<BYTE> m_bytes;
};
