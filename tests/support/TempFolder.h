// A fresh folder under the Windows temporary directory for one test, removed with its content
// afterwards.
#pragma once
#include <windows.h>

#include <string>

class TempFolder
{
public:
    explicit TempFolder(const std::string& name = "quorvex-test")
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(GetTickCount());
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~TempFolder() { RemoveTree(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "\\" + name; }

private:
    static void RemoveTree(const std::string& folder)
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                const std::string path = folder + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path);
                else
                    DeleteFileA(path.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string m_path;
};

// A path in double quotes, as the file association passes it on the command line.
inline std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

// Creates (or empties) a file.
inline void Touch(const std::string& path)
{
    CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}
