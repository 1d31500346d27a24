// CExtCmdIcon: the picture of a command on toolbar buttons, menu items and captions. It holds
// either a bitmap with a transparent colour or an icon; a bitmap-based image builds (and caches)
// the icon it is drawn with, and a faded icon tinted with the theme's blend colour.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/paint/PaintManager.h"
#include "platform/Array.h"
#include "platform/Geometry.h"
#include "platform/Types.h"

class CArchive;

class CExtCmdIcon
{
public:
    struct BitmapPart_t
    {
        HBITMAP m_bitmap = nullptr;
        COLORREF m_transparent = RGB(0, 0, 0);
        int m_width = 0;
        int m_height = 0;
    };
    struct IconPart_t
    {
        HICON m_icon = nullptr;
        int m_width = 0;
        int m_height = 0;
    };
    // DrawState kinds.
    enum
    {
        kDrawNormal = 0,
        kDrawDisabled = 1,
        kDrawMonochrome = 2,
        kDrawFaded = 3
    };
    static constexpr COLORREF kNoBlendColor = static_cast<COLORREF>(-1);
    static constexpr double kDefaultFadeFactor = 1.4;

    CExtCmdIcon() = default;
    CExtCmdIcon(HBITMAP bitmap, COLORREF transparent, const RECT* area = nullptr,
                bool copy = false);
    CExtCmdIcon(HICON& icon, bool copy);
    CExtCmdIcon(const CExtCmdIcon& other);
    CExtCmdIcon& operator=(const CExtCmdIcon& other);
    virtual ~CExtCmdIcon();

    virtual bool IsEmpty() const;
    virtual void Empty();
    virtual void Serialize(CArchive& ar);
    virtual void AssignFrom(const CExtCmdIcon& other);
    virtual void AssignIcon(HICON icon, bool copy);
    virtual void AssignBitmap(HBITMAP bitmap, COLORREF transparent, const RECT* area = nullptr,
                              bool copy = false);
    virtual CSize GetSize() const;
    virtual bool IsBitmapBased() const;
    virtual HBITMAP GetBitmap() const;
    virtual COLORREF GetBitmapTransparentColor() const;
    // A 32-bit DIB copy the caller deletes. With pixels asked for, the transparent colour is
    // one the picture does not use, so editing cannot confuse the two.
    virtual bool ExtractEditableBitmap(HBITMAP& bitmap, COLORREF& transparent,
                                       CArray<COLORREF, COLORREF>* colors = nullptr,
                                       COLORREF** pixels = nullptr) const;
    // The image keeps the handle.
    virtual HICON GetIcon(bool mapSystemGreys = true);
    // The caller owns the handle; the image is empty afterwards.
    virtual HICON TakeIconHandle(bool mapSystemGreys = true);
    virtual HICON GetFadedIcon();
    virtual void OnSysColorChange();
    virtual void SyncSysColors();
    virtual void OnSettingChange(UINT flags, LPCTSTR section);
    virtual void OnDisplayChange(int bitsPerPixel, int width, int height);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);
    virtual bool GenerateFadedIcon();
    virtual bool DrawState(HDC dc, POINT position, int kind, HBRUSH brush = nullptr);
    virtual int GetColorCounts(CExtPaintManager::ColorCounts& counts) const;
    virtual int GetBitsPerPixel() const;
    virtual bool ScaleFrom(const CExtCmdIcon& other, int width, int height);
    virtual COLORREF GetBlendColor() const;
    virtual COLORREF SetBlendColor(COLORREF color);
    virtual double GetFadeFactor() const;
    virtual double SetFadeFactor(double factor);
    virtual bool MakeCheckMarkImage(COLORREF mark, COLORREF background, int width, int height,
                                    COLORREF** pixels = nullptr);
    virtual bool MakeRadioDotImage(COLORREF mark, COLORREF background, int width, int height,
                                   COLORREF** pixels = nullptr);
    virtual bool MakeSolidImage(COLORREF color, int width, int height,
                                COLORREF** pixels = nullptr);

    // The size an icon reports: twice its hot spot (in 8 bits), else its bitmaps' size.
    static CSize IconSize(HICON icon);

protected:
    void DropFadedIcon();
    void ReleaseBitmap();
    void ReleaseImageIcon();

    BitmapPart_t m_bitmapPart;
    IconPart_t m_imageIcon;
    IconPart_t m_fadedIcon;
    COLORREF m_blendColor = kNoBlendColor;
    double m_fadeFactor = kDefaultFadeFactor;
};
