// Answers the program's file dialogs instead of showing them, with the paths a test queued, and
// keeps what each dialog asked for. Installed for the object's lifetime.
#pragma once
#include <windows.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "platform/FileDialog.h"

struct AskedFileDialog
{
    HWND owner;
    bool open;
    std::string defaultExtension;
    std::string initialName;
    DWORD flags;
    std::string filter;  // with '|' for each zero byte, as the program writes it
};

class FileDialogFake
{
public:
    FileDialogFake()
    {
        m_previous = AfxSetFileDialogPresenter([this](OPENFILENAMEA& ofn, BOOL open) {
            m_asked.push_back({ofn.hwndOwner, open != FALSE, Text(ofn.lpstrDefExt), Text(ofn.lpstrFile),
                               ofn.Flags, Filter(ofn.lpstrFilter)});
            if (m_answers.empty())
                return FALSE;
            const std::string answer = m_answers.front();
            m_answers.pop_front();
            if (answer.empty() || answer.size() >= ofn.nMaxFile)
                return FALSE;
            std::memcpy(ofn.lpstrFile, answer.c_str(), answer.size() + 1);
            return TRUE;
        });
    }
    ~FileDialogFake() { AfxSetFileDialogPresenter(m_previous); }
    FileDialogFake(const FileDialogFake&) = delete;
    FileDialogFake& operator=(const FileDialogFake&) = delete;

    // The next dialog chooses path; an empty path cancels it. Dialogs beyond the queue cancel.
    void Answer(const std::string& path) { m_answers.push_back(path); }
    const std::vector<AskedFileDialog>& Asked() const { return m_asked; }

private:
    static std::string Text(const char* text) { return text ? text : "<null>"; }

    // The zero-separated pairs back in the '|' form, up to the double zero byte.
    static std::string Filter(const char* filter)
    {
        if (!filter)
            return "<null>";
        std::string text;
        for (const char* part = filter; *part; part += std::strlen(part) + 1)
            text += std::string(part) + '|';
        return text + '|';
    }

    FileDialogPresenter m_previous;
    std::deque<std::string> m_answers;
    std::vector<AskedFileDialog> m_asked;
};
