// The Wine prefix has the fonts the windows rely on: the Japanese dialog fonts resolve to a font
// that has kana and kanji, and Tahoma and Marlett exist as themselves.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

class PrefixFontsTest : public testing::Test
{
protected:
    void SetUp() override { m_dc = CreateCompatibleDC(nullptr); }
    void TearDown() override { DeleteDC(m_dc); }

    // Selects the face and tells whether it has a glyph for the character.
    bool HasGlyph(const char* face, BYTE charset, wchar_t character, char* chosenFace)
    {
        HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH, face);
        HGDIOBJ previous = SelectObject(m_dc, font);
        GetTextFaceA(m_dc, LF_FACESIZE, chosenFace);
        WORD glyph = 0xFFFF;
        GetGlyphIndicesW(m_dc, &character, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
        SelectObject(m_dc, previous);
        DeleteObject(font);
        return glyph != 0xFFFF;
    }

    HDC m_dc = nullptr;
};

TEST_F(PrefixFontsTest, JapaneseDialogFontsHaveKanaAndKanji)
{
    const char* faces[] = {"ＭＳ ゴシック", "ＭＳ Ｐゴシック", "MS UI Gothic", "MS Shell Dlg"};
    for (const char* face : faces) {
        char chosen[LF_FACESIZE] = {};
        EXPECT_TRUE(HasGlyph(face, SHIFTJIS_CHARSET, L'\u30A2', chosen)) << face << " -> " << chosen;
        EXPECT_TRUE(HasGlyph(face, SHIFTJIS_CHARSET, L'\u8868', chosen)) << face << " -> " << chosen;
    }
}

TEST_F(PrefixFontsTest, TahomaAndMarlettAreInstalled)
{
    const char* faces[] = {"Tahoma", "Marlett"};
    for (const char* face : faces) {
        char chosen[LF_FACESIZE] = {};
        HasGlyph(face, face[0] == 'M' ? SYMBOL_CHARSET : ANSI_CHARSET, L'a', chosen);
        EXPECT_STREQ(face, chosen);
    }
}

} // namespace
