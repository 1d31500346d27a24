// The archive form of a command image: a kind byte (0 empty, 1 bitmap, 2 icon), then the part.
#include "framework/commands/CmdIcon.h"
#include "framework/commands/CmdIconInternal.h"
#include "platform/Archive.h"
#include "platform/Exceptions.h"

namespace {

enum : BYTE
{
    kKindEmpty = 0,
    kKindBitmap = 1,
    kKindIcon = 2
};
enum : BYTE
{
    kIconIsIcon = 0x01,
    kIconHasColor = 0x02,
    kIconHasMask = 0x04
};

// A bitmap the archive does not hold whole leaves nothing after it readable.
HBITMAP LoadBitmapOrThrow(CArchive& ar)
{
    HBITMAP bitmap = nullptr;
    if (!CExtPaintManager::SerializeBitmap(ar, bitmap) || !bitmap)
        AfxThrowArchiveException(CArchiveException::badSchema);
    return bitmap;
}

void StoreBitmapOrThrow(CArchive& ar, HBITMAP bitmap)
{
    if (!CExtPaintManager::SerializeBitmap(ar, bitmap))
        AfxThrowArchiveException(CArchiveException::genericException);
}

HICON LoadIconPart(CArchive& ar)
{
    BYTE flags = 0;
    DWORD hotX = 0, hotY = 0;
    ar >> flags >> hotX >> hotY;
    ICONINFO info = {};
    info.fIcon = (flags & kIconIsIcon) != 0;
    info.xHotspot = hotX;
    info.yHotspot = hotY;
    try {
        if (flags & kIconHasColor)
            info.hbmColor = LoadBitmapOrThrow(ar);
        if (flags & kIconHasMask)
            info.hbmMask = LoadBitmapOrThrow(ar);
    } catch (CException*) {
        if (info.hbmColor)
            ::DeleteObject(info.hbmColor);
        throw;
    }
    HICON icon = info.hbmMask ? ::CreateIconIndirect(&info) : nullptr;
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    return icon;
}

void StoreIconPart(CArchive& ar, HICON icon)
{
    cmdicon::IconInfo info(icon);
    if (!info.IsValid())
        AfxThrowArchiveException(CArchiveException::genericException);
    const ICONINFO& parts = info.Info();
    const BYTE flags = static_cast<BYTE>((parts.fIcon ? kIconIsIcon : 0) |
                                         (parts.hbmColor ? kIconHasColor : 0) |
                                         (parts.hbmMask ? kIconHasMask : 0));
    ar << flags << static_cast<DWORD>(parts.xHotspot) << static_cast<DWORD>(parts.yHotspot);
    if (parts.hbmColor)
        StoreBitmapOrThrow(ar, parts.hbmColor);
    if (parts.hbmMask)
        StoreBitmapOrThrow(ar, parts.hbmMask);
}

} // namespace

void CExtCmdIcon::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        if (IsBitmapBased()) {
            ar << kKindBitmap;
            StoreBitmapOrThrow(ar, m_bitmapPart.m_bitmap);
            ar << static_cast<DWORD>(m_bitmapPart.m_transparent);
        } else if (m_imageIcon.m_icon) {
            ar << kKindIcon;
            StoreIconPart(ar, m_imageIcon.m_icon);
        } else {
            ar << kKindEmpty;
        }
        return;
    }
    Empty();
    BYTE kind = 0;
    ar >> kind;
    if (kind & kKindBitmap) {
        HBITMAP bitmap = LoadBitmapOrThrow(ar);
        DWORD transparent = 0;
        try {
            ar >> transparent;
        } catch (CException*) {
            ::DeleteObject(bitmap);
            throw;
        }
        AssignBitmap(bitmap, transparent, nullptr, false);
    } else if (kind & kKindIcon) {
        AssignIcon(LoadIconPart(ar), false);
    }
}
