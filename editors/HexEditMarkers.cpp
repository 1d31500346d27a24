// CHexEdit's markers: the list, the byte form and the tip that shows a marker's comment.
#include <algorithm>
#include <cstring>

#include "editors/HexEdit.h"

namespace {

bool Shown(const CHexEditMarker& marker)
{
    return marker.start >= 0 && marker.length >= 0;
}

// Computed in 64 bits: start + length - 1 of a marker read from a file may overflow an int.
bool Overlaps(const CHexEditMarker& marker, int start, int length)
{
    const long long m = marker.start;
    const long long n = m + marker.length - 1;
    const long long a = start;
    const long long b = a + length - 1;
    return (a >= m && a <= n) || (b >= m && b <= n) || (a <= m && n <= b);
}

}  // namespace

int CHexEdit::AddMarker(int start, int length, COLORREF text, COLORREF back, const char* comment)
{
    CHexEditMarker marker;
    marker.start = start;
    marker.length = length;
    marker.textColor = text;
    marker.backColor = back;
    marker.comment = comment;
    m_markers.push_back(marker);
    NextMarkerTextColor = text;
    NextMarkerBackColor = back;
    Redraw();
    return 1;
}

void CHexEdit::ClearMarkers()
{
    m_markers.clear();
    Redraw();
}

void CHexEdit::ReplaceMarkers(const CMarkerList& markers)
{
    m_markers = markers;
    if (!markers.empty()) {
        NextMarkerTextColor = markers.back().textColor;
        NextMarkerBackColor = markers.back().backColor;
    }
    Redraw();
}

int CHexEdit::CountMarkersInRange(int start, int length) const
{
    return static_cast<int>(std::count_if(m_markers.begin(), m_markers.end(),
        [&](const CHexEditMarker& marker) { return Overlaps(marker, start, length); }));
}

int CHexEdit::RemoveMarkersInRange(int start, int length)
{
    const auto kept = std::remove_if(m_markers.begin(), m_markers.end(),
        [&](const CHexEditMarker& marker) { return Overlaps(marker, start, length); });
    const int removed = static_cast<int>(m_markers.end() - kept);
    m_markers.erase(kept, m_markers.end());
    if (removed > 0)
        Redraw();
    return removed;
}

COleSafeArray& CHexEdit::GetMarkerBytes(COleSafeArray& bytes) const
{
    const std::vector<BYTE> form = MarkersToBytes(m_markers);
    bytes.CreateOneDim(VT_UI1, static_cast<DWORD>(form.size()), form.data());
    return bytes;
}

void CHexEdit::SetMarkerBytes(const COleSafeArray& bytes)
{
    ClearMarkers();
    BytesToMarkers(std::span<const BYTE>(bytes.GetData(), bytes.GetSize()), m_markers);
}

const CHexEditMarker* CHexEdit::MarkerAt(int o) const
{
    for (const CHexEditMarker& marker : m_markers) {
        if (Shown(marker) && o >= marker.start &&
            o <= static_cast<long long>(marker.start) + marker.length - 1)
            return &marker;
    }
    return nullptr;
}

void CHexEdit::FillTipTool(TOOLINFOA& tool)
{
    tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = m_hWnd;
    tool.uId = 0;
    ::GetClientRect(m_hWnd, &tool.rect);
    tool.lpszText = m_tipBuffer;
}

void CHexEdit::UpdateTip(CPoint point)
{
    TOOLINFOA tool;
    if (!m_tip) {
        m_tip = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                  nullptr, nullptr);
        if (!m_tip)
            return;
        FillTipTool(tool);
        ::SendMessageA(m_tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        ::SendMessageA(m_tip, TTM_ACTIVATE, TRUE, 0);
    }
    const CHexEditMarker* marker = nullptr;
    if (!m_markers.empty()) {
        int o = -1;
        HitTest(point.x, point.y, &o);
        if (o >= 0 && o < GetDataSize())
            marker = MarkerAt(o);
    }
    const char* text = marker ? marker->comment.GetString() : "";
    if (*text && std::strcmp(text, m_tipText) == 0)
        return;
    // The tool shows the buffer: a longer comment is cut to what it holds.
    const size_t length = std::min(std::strlen(text), sizeof m_tipBuffer - 1);
    std::memcpy(m_tipBuffer, text, length);
    m_tipBuffer[length] = 0;
    FillTipTool(tool);
    ::SendMessageA(m_tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    m_tipText = text;
}
