// qvdriver.exe: ProgramDriver for scripts. Each run does one thing to a running Quorvex.exe in
// the same Wine prefix and says how it went by its exit code; texts go out as UTF-8.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "tools/driver/ProgramDriver.h"
#include "tools/driver/ProgramStart.h"
#include "tools/driver/ProgramText.h"

namespace {

enum ExitCode
{
    EXIT_DONE = 0,
    EXIT_FAILED = 1,  // no such program, window, pane or button, or the program ended
    EXIT_TIMED_OUT = 2,
    EXIT_USAGE = 3,
};

const char kUsage[] =
    "usage: qvdriver [--pid ID] [--timeout MS] [--folder DIR] COMMAND [ARGUMENT...]\n"
    "\n"
    "Drives a running Quorvex.exe in the same Wine prefix: the one with Windows process ID\n"
    "(as 'start' prints it), or else the only one running. Each wait lasts up to MS\n"
    "milliseconds (default 10000); a command that waits twice may take twice as long. Texts\n"
    "are printed and patterns read as UTF-8.\n"
    "\n"
    "  start [ARGUMENT...]   starts Quorvex.exe from qvdriver's folder in DIR (default: the\n"
    "                        current folder), each argument in double quotes; prints its ID\n"
    "  wait-window           waits until the main window is shown and the program has\n"
    "                        started; prints the window's title\n"
    "  command ID            posts WM_COMMAND with the command ID to the main window\n"
    "  type TEXT             types TEXT into the send-data editor, character by character\n"
    "  press KEY             presses KEY in the send-data editor: home, end, left, right,\n"
    "                        up, down, pageup, pagedown, insert, delete or back\n"
    "  status PANE           prints the text of status bar pane PANE (1 Port 1, 2 Port 2)\n"
    "  wait-status PANE TEXT waits until status bar pane PANE reads TEXT, blanks at either\n"
    "                        end aside; prints the pane's text\n"
    "  rows                  prints the log view's rows, one a line, columns separated by tabs\n"
    "                        (a backslash, tab, carriage return or line feed inside a text is\n"
    "                        written \\\\, \\t, \\r, \\n)\n"
    "  wait-row PATTERN      waits for a row that the regular expression (ECMAScript) finds\n"
    "                        in, as 'rows' prints it; prints the row\n"
    "  wait-rows PATTERN COUNT\n"
    "                        waits until at least COUNT rows match PATTERN as for\n"
    "                        'wait-row'; prints every row then, as 'rows' does\n"
    "  answer-box BUTTON     waits for a message box of the program, prints its text and\n"
    "                        presses BUTTON: ok, cancel, abort, retry, ignore, yes, no,\n"
    "                        tryagain or continue\n"
    "  close                 closes the main window and waits for the program to end; prints\n"
    "                        its exit code\n"
    "\n"
    "Exit codes: 0 done, 1 failed (no such program, window, pane or button, or the program\n"
    "ended), 2 timed out, 3 wrong usage.\n";

const DWORD kDefaultWaitMs = 10000;

struct KeyName
{
    const char* name;
    UINT virtualKey;
};

const KeyName kKeys[] = {
    {"home", VK_HOME},       {"end", VK_END},        {"left", VK_LEFT},
    {"right", VK_RIGHT},     {"up", VK_UP},          {"down", VK_DOWN},
    {"pageup", VK_PRIOR},    {"pagedown", VK_NEXT},  {"insert", VK_INSERT},
    {"delete", VK_DELETE},   {"back", VK_BACK},
};

struct ButtonName
{
    const char* name;
    int id;
};

const ButtonName kButtons[] = {
    {"ok", IDOK},       {"cancel", IDCANCEL},     {"abort", IDABORT},
    {"retry", IDRETRY}, {"ignore", IDIGNORE},     {"yes", IDYES},
    {"no", IDNO},       {"tryagain", IDTRYAGAIN}, {"continue", IDCONTINUE},
};

void PrintLine(const std::string& utf8)
{
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fputc('\n', stdout);
}

void PrintError(const std::string& utf8)
{
    std::fprintf(stderr, "qvdriver: %s\n", utf8.c_str());
}

std::string RowLine(const LogRow& row)
{
    std::string line;
    for (size_t column = 0; column < row.size(); ++column) {
        if (column > 0)
            line += '\t';
        for (const char c : ProgramTextToUtf8(row[column])) {
            switch (c) {
            case '\\': line += "\\\\"; break;
            case '\t': line += "\\t"; break;
            case '\r': line += "\\r"; break;
            case '\n': line += "\\n"; break;
            default: line += c;
            }
        }
    }
    return line;
}

// The text without the blanks at its ends.
std::string TrimBlanks(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

struct Invocation
{
    std::optional<DWORD> processId;
    DWORD timeoutMs = kDefaultWaitMs;
    std::string folder;  // code page 932, as the program takes paths
    std::string command;
    std::vector<std::string> arguments;  // UTF-8
};

bool ParseNumber(const std::string& text, DWORD& number)
{
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0')
        return false;
    number = value;
    return true;
}

std::vector<std::string> Utf8Arguments()
{
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(WideToUtf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

// Options may stand anywhere; the first other word is the command. False on wrong usage.
bool Parse(const std::vector<std::string>& arguments, Invocation& invocation)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        DWORD number = 0;
        if (argument == "--pid" && hasValue && ParseNumber(arguments[++i], number))
            invocation.processId = number;
        else if (argument == "--timeout" && hasValue && ParseNumber(arguments[++i], number))
            invocation.timeoutMs = number;
        else if (argument == "--folder" && hasValue)
            invocation.folder = Utf8ToProgramText(arguments[++i]);
        else if (argument.starts_with("--"))
            return false;
        else if (invocation.command.empty())
            invocation.command = argument;
        else
            invocation.arguments.push_back(argument);
    }
    return !invocation.command.empty();
}

// A failed wait timed out while the program still runs.
int WaitFailure(const ProgramDriver& driver, const char* what)
{
    PrintError(what);
    return driver.IsRunning() ? EXIT_TIMED_OUT : EXIT_FAILED;
}

int Start(const Invocation& invocation)
{
    std::string arguments;
    for (const std::string& argument : invocation.arguments)
        arguments += (arguments.empty() ? "\"" : " \"") + Utf8ToProgramText(argument) + "\"";
    const HANDLE process = StartProgram(arguments, invocation.folder);
    if (!process) {
        PrintError("cannot start Quorvex.exe");
        return EXIT_FAILED;
    }
    PrintLine(std::to_string(GetProcessId(process)));
    CloseHandle(process);
    return EXIT_DONE;
}

int WaitWindow(ProgramDriver& driver, const Invocation& invocation)
{
    if (!driver.WaitUntilStarted(invocation.timeoutMs))
        return WaitFailure(driver, "no main window");
    PrintLine(ProgramTextToUtf8(driver.WindowTitle().value_or("")));
    return EXIT_DONE;
}

int Command(ProgramDriver& driver, const Invocation& invocation)
{
    DWORD id = 0;
    if (!ParseNumber(invocation.arguments[0], id))
        return EXIT_USAGE;
    if (!driver.PostCommand(id)) {
        PrintError("cannot post the command");
        return EXIT_FAILED;
    }
    return EXIT_DONE;
}

int Type(ProgramDriver& driver, const Invocation& invocation)
{
    if (!driver.TypeIntoSendEditor(Utf8ToProgramText(invocation.arguments[0]))) {
        PrintError("cannot type into the send-data editor");
        return EXIT_FAILED;
    }
    return EXIT_DONE;
}

int Press(ProgramDriver& driver, const Invocation& invocation)
{
    const auto key = std::find_if(std::begin(kKeys), std::end(kKeys), [&](const KeyName& known) {
        return invocation.arguments[0] == known.name;
    });
    if (key == std::end(kKeys))
        return EXIT_USAGE;
    if (!driver.PressInSendEditor(key->virtualKey)) {
        PrintError("cannot press a key in the send-data editor");
        return EXIT_FAILED;
    }
    return EXIT_DONE;
}

int Status(ProgramDriver& driver, const Invocation& invocation)
{
    DWORD pane = 0;
    if (!ParseNumber(invocation.arguments[0], pane))
        return EXIT_USAGE;
    const auto text = driver.StatusText(static_cast<int>(pane));
    if (!text) {
        PrintError("cannot read the status bar");
        return EXIT_FAILED;
    }
    PrintLine(ProgramTextToUtf8(*text));
    return EXIT_DONE;
}

int WaitStatus(ProgramDriver& driver, const Invocation& invocation)
{
    DWORD pane = 0;
    if (!ParseNumber(invocation.arguments[0], pane))
        return EXIT_USAGE;
    const std::string& wanted = invocation.arguments[1];
    const auto text = driver.WaitForStatusText(
        static_cast<int>(pane),
        [&](const std::string& text) { return TrimBlanks(ProgramTextToUtf8(text)) == wanted; },
        invocation.timeoutMs);
    if (!text)
        return WaitFailure(driver, "the pane does not read so");
    PrintLine(ProgramTextToUtf8(*text));
    return EXIT_DONE;
}

void PrintRows(const std::vector<LogRow>& rows)
{
    for (const LogRow& row : rows)
        PrintLine(RowLine(row));
}

int Rows(ProgramDriver& driver, const Invocation&)
{
    const auto rows = driver.LogRows();
    if (!rows) {
        PrintError("cannot read the log view");
        return EXIT_FAILED;
    }
    PrintRows(*rows);
    return EXIT_DONE;
}

// The regular expression; nullopt, said, when the text is none.
std::optional<std::regex> ParsePattern(const std::string& text)
{
    try {
        return std::regex(text, std::regex::ECMAScript);
    } catch (const std::regex_error&) {
        PrintError("not a regular expression: " + text);
        return std::nullopt;
    }
}

int WaitRow(ProgramDriver& driver, const Invocation& invocation)
{
    const auto pattern = ParsePattern(invocation.arguments[0]);
    if (!pattern)
        return EXIT_USAGE;
    const auto row = driver.WaitForLogRow(
        [&](const LogRow& row) { return std::regex_search(RowLine(row), *pattern); },
        invocation.timeoutMs);
    if (!row)
        return WaitFailure(driver, "no such row");
    PrintLine(RowLine(*row));
    return EXIT_DONE;
}

int WaitRows(ProgramDriver& driver, const Invocation& invocation)
{
    DWORD count = 0;
    if (!ParseNumber(invocation.arguments[1], count))
        return EXIT_USAGE;
    const auto pattern = ParsePattern(invocation.arguments[0]);
    if (!pattern)
        return EXIT_USAGE;
    const auto rows = driver.WaitForLogRows(
        [&](const std::vector<LogRow>& rows) {
            const auto matching = std::count_if(rows.begin(), rows.end(), [&](const LogRow& row) {
                return std::regex_search(RowLine(row), *pattern);
            });
            return static_cast<DWORD>(matching) >= count;
        },
        invocation.timeoutMs);
    if (!rows)
        return WaitFailure(driver, "not so many such rows");
    PrintRows(*rows);
    return EXIT_DONE;
}

int AnswerBox(ProgramDriver& driver, const Invocation& invocation)
{
    const ButtonName* button = nullptr;
    for (const ButtonName& known : kButtons) {
        if (invocation.arguments[0] == known.name)
            button = &known;
    }
    if (!button)
        return EXIT_USAGE;
    const HWND box = driver.WaitForMessageBox(invocation.timeoutMs);
    if (!box)
        return WaitFailure(driver, "no message box");
    PrintLine(ProgramTextToUtf8(ProgramDriver::MessageBoxText(box)));
    if (!ProgramDriver::PressMessageBoxButton(box, button->id, invocation.timeoutMs)) {
        PrintError(std::string("cannot press ") + button->name);
        return EXIT_FAILED;
    }
    return EXIT_DONE;
}

int Close(ProgramDriver& driver, const Invocation& invocation)
{
    const DWORD exitCode = driver.CloseAndWait(invocation.timeoutMs);
    if (exitCode == ProgramDriver::kStillRunning)
        return WaitFailure(driver, "the program did not end");
    PrintLine(std::to_string(exitCode));
    return EXIT_DONE;
}

struct CommandEntry
{
    const char* name;
    size_t argumentCount;
    // The command acts on the main window, which is waited for first.
    bool needsMainWindow;
    int (*run)(ProgramDriver& driver, const Invocation& invocation);
};

const CommandEntry kCommands[] = {
    {"wait-window", 0, false, WaitWindow}, {"command", 1, true, Command},
    {"type", 1, true, Type},               {"press", 1, true, Press},
    {"status", 1, true, Status},           {"wait-status", 2, false, WaitStatus},
    {"rows", 0, true, Rows},               {"wait-row", 1, false, WaitRow},
    {"wait-rows", 2, false, WaitRows},     {"answer-box", 1, false, AnswerBox},
    {"close", 0, true, Close},
};

// The driver of the chosen program: the process given, or the only Quorvex.exe (waited for).
std::unique_ptr<ProgramDriver> AttachProgram(const Invocation& invocation, int& failure)
{
    DWORD processId = invocation.processId.value_or(0);
    if (!invocation.processId) {
        std::vector<DWORD> found;
        WaitUntil([&] { return !(found = ProgramDriver::FindProgramProcesses()).empty(); },
                  invocation.timeoutMs);
        if (found.size() != 1) {
            PrintError(found.empty() ? "Quorvex.exe is not running"
                                     : "several Quorvex.exe run: choose one with --pid");
            failure = found.empty() ? EXIT_TIMED_OUT : EXIT_FAILED;
            return nullptr;
        }
        processId = found.front();
    }
    const HANDLE process = OpenProcess(ProgramDriver::kProcessAccess, FALSE, processId);
    if (!process) {
        PrintError("no such process: " + std::to_string(processId));
        failure = EXIT_FAILED;
        return nullptr;
    }
    return std::make_unique<ProgramDriver>(process);
}

int Run(const Invocation& invocation)
{
    if (invocation.command == "start")
        return Start(invocation);
    for (const CommandEntry& command : kCommands) {
        if (invocation.command != command.name)
            continue;
        if (invocation.arguments.size() != command.argumentCount)
            return EXIT_USAGE;
        int failure = EXIT_FAILED;
        const auto driver = AttachProgram(invocation, failure);
        if (!driver)
            return failure;
        if (command.needsMainWindow && !driver->WaitForMainWindow(invocation.timeoutMs))
            return WaitFailure(*driver, "no main window");
        return command.run(*driver, invocation);
    }
    return EXIT_USAGE;
}

} // namespace

int main()
{
    // UTF-8 goes out byte for byte, with bare line feeds.
    _setmode(_fileno(stdout), _O_BINARY);
    const std::vector<std::string> arguments = Utf8Arguments();
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return EXIT_DONE;
    }
    Invocation invocation;
    const int result = Parse(arguments, invocation) ? Run(invocation) : EXIT_USAGE;
    if (result == EXIT_USAGE)
        std::fputs(kUsage, stderr);
    std::fflush(stdout);
    return result;
}
