// The file dialogs: what they hand the presenter, and the system's own dialog answered from
// inside its modal loop.
#include "platform/FileDialog.h"

#include <windows.h>

#include <dlgs.h>  // the dialog's control ids

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/WinApp.h"
#include "tests/platform/WindowTestSupport.h"
#include "tests/support/FileDialogFake.h"
#include "tests/support/ModalDialogAnswer.h"
#include "tests/support/TempFolder.h"

namespace {

// "ポ" is 83 7C: its second byte is the '|' of the filter syntax.
const char kFilter[] = "ポート(*.qvl)|*.qvl|All Files(*.*)|*.*||";

TEST(FileDialogTest, TheDialogIsDescribedToThePresenterAndReturnsItsAnswer)
{
    CWinApp app;
    CWnd mainWnd;
    ASSERT_TRUE(CreateTopLevel(mainWnd));
    app.m_pMainWnd = &mainWnd;
    FileDialogFake fake;
    fake.Answer("C:\\logs\\選んだ.qvl");
    fake.Answer("");

    CFileDialog save(FALSE, "qvl", "C:\\logs\\default.qvl", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     kFilter);
    EXPECT_EQ(IDOK, save.DoModal());
    EXPECT_EQ("C:\\logs\\選んだ.qvl", save.GetPathName());
    CFileDialog open(TRUE);
    EXPECT_EQ(IDCANCEL, open.DoModal());
    app.m_pMainWnd = nullptr;

    ASSERT_EQ(2u, fake.Asked().size());
    const AskedFileDialog& asked = fake.Asked()[0];
    EXPECT_EQ(mainWnd.m_hWnd, asked.owner);
    EXPECT_FALSE(asked.open);
    EXPECT_EQ("qvl", asked.defaultExtension);
    EXPECT_EQ("C:\\logs\\default.qvl", asked.initialName);
    EXPECT_EQ(static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT), asked.flags);
    EXPECT_EQ(kFilter, asked.filter);
    // The defaults: no extension, name or filter.
    EXPECT_TRUE(fake.Asked()[1].open);
    EXPECT_EQ("<null>", fake.Asked()[1].defaultExtension);
    EXPECT_EQ("", fake.Asked()[1].initialName);
    EXPECT_EQ("<null>", fake.Asked()[1].filter);
}

TEST(FileDialogTest, TheSystemDialogAddsTheDefaultExtensionOnceAndListsTheFilter)
{
    TempFolder folder;
    for (const std::string typed : {"typed", ""}) {
        std::vector<std::string> fileTypes;
        const ModalDialogAnswer answer({typed.empty() ? IDCANCEL : IDOK}, [&](HWND dialog) {
            const HWND types = ::GetDlgItem(dialog, cmb1);
            const int count = static_cast<int>(::SendMessageA(types, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                char text[256] = {};
                ::SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                fileTypes.push_back(text);
            }
            // The name box is a combo box in the newer dialog layout and an edit in the older.
            HWND name = ::GetDlgItem(dialog, cmb13);
            ::SetWindowTextA(name ? name : ::GetDlgItem(dialog, edt1), typed.c_str());
        });
        const std::string initial = folder.File("default.qvl");
        CFileDialog dialog(FALSE, "qvl", initial.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           kFilter);
        const INT_PTR result = dialog.DoModal();
        ASSERT_TRUE(answer.Answered()) << typed;
        EXPECT_EQ(std::vector<std::string>({"ポート(*.qvl)", "All Files(*.*)"}), fileTypes);
        if (typed.empty()) {
            EXPECT_EQ(IDCANCEL, result);
        } else {
            EXPECT_EQ(IDOK, result);
            EXPECT_EQ(folder.File("typed.qvl"), dialog.GetPathName().GetString());
        }
    }
}

} // namespace
