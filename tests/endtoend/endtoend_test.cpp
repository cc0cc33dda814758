// hostsim.exe running the built Tessel.dll as the client would: registered with regsvr32 and
// created by its ProgID, or loaded by path. Each run is a child process; the test reads its
// exit code, its transcript and the editor text it wrote.

#include "tests/support/child_process.h"
#include "tests/support/modern_clients_opt_in.h"
#include "tests/support/temp_folder.h"
#include "win/ansi.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

namespace tessel::test
{
namespace
{

using testing::HasSubstr;
using testing::Not;

const std::wstring kHostsim = WindowsPath(TESSEL_HOSTSIM_PATH);
const std::wstring kBuiltDll = WindowsPath(TESSEL_DLL_PATH);
const std::wstring kFaultyAddin = WindowsPath(TESSEL_FAULTY_ADDIN_PATH);

// UTF-8, with a character that the ANSI code page lacks and two that are twice as wide.
constexpr char kMessage[] = "Gr\xC3\xBC\xC3\x9F"
                            "e aus K\xC3\xB6ln und \xE6\x9D\xB1\xE4\xBA\xAC\r\n"
                            "second line \xE2\x80\x94 \xE2\x82\xAC 5\r\n";
// Quoted with "> " at width 12: wrapped after the last blank within 12 columns.
constexpr char kQuoted[] = "> Gr\xC3\xBC\xC3\x9F"
                           "e aus \r\n"
                           "> K\xC3\xB6ln und \r\n"
                           "> \xE6\x9D\xB1\xE4\xBA\xAC\r\n"
                           "> second line \r\n"
                           "> \xE2\x80\x94 \xE2\x82\xAC 5\r\n"
                           "> ";
constexpr char kUnquoted[] = "Gr\xC3\xBC\xC3\x9F"
                             "e aus \r\n"
                             "K\xC3\xB6ln und \r\n"
                             "\xE6\x9D\xB1\xE4\xBA\xAC\r\n"
                             "second line \r\n"
                             "\xE2\x80\x94 \xE2\x82\xAC 5\r\n";

constexpr char kQuoteItemAdded[] = "add Inspector 1 > F&ormat > #6 (Type 1, Temporary True)\n";
constexpr char kQuoteItemDeleted[] =
    "delete Inspector 1 > F&ormat > \"&Quote/Unquote Selected Text\"\n";
constexpr char kNothingLeft[] = "live objects: none\nDllCanUnloadNow: S_OK\n";

std::size_t Occurrences(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

long Regsvr32(const std::wstring& dll, bool unregister, const std::string& scratch)
{
    std::vector<std::wstring> arguments = {L"/s"};
    if (unregister)
        arguments.push_back(L"/u");
    arguments.push_back(dll);
    return RunProgram(L"regsvr32.exe", arguments, scratch).exitCode;
}

// Unregisters the DLL when the test ends, however it ends.
class Registration
{
  public:
    Registration(std::wstring dll, std::string scratch)
        : m_dll(std::move(dll)), m_scratch(std::move(scratch))
    {
    }
    ~Registration() { Regsvr32(m_dll, true, m_scratch); }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

  private:
    std::wstring m_dll;
    std::string m_scratch;
};

class EndToEnd : public testing::Test
{
  protected:
    void SetUp() override
    {
        WriteFileBytes(m_folder.File("message.txt"), kMessage);
        // A copy of its own, so that the add-in's settings files land in this folder.
        ASSERT_TRUE(CopyFileW(kBuiltDll.c_str(), Path("Tessel.dll").c_str(), FALSE))
            << "cannot copy " << WideToAnsi(kBuiltDll);
    }

    std::wstring Path(const char* name) const { return AnsiToWide(m_folder.File(name)); }
    std::string Read(const char* name) const { return ReadFileBytes(m_folder.File(name)); }

    ProgramRun Hostsim(const std::vector<std::wstring>& arguments)
    {
        return RunProgram(kHostsim, arguments, m_folder.Path());
    }

    TempFolder m_folder;
};

TEST_F(EndToEnd, RegisteredAddinQuotesAndUnquotesAndLeavesNothingBehind)
{
    ASSERT_EQ(Regsvr32(Path("Tessel.dll"), false, m_folder.Path()), 0);
    const Registration registration(Path("Tessel.dll"), m_folder.Path());

    const ProgramRun quote =
        Hostsim({L"--progid", L"Tessel.Addin", L"--message", Path("message.txt"), L"--mode",
                 L"quote", L"--sign", L"> ", L"--width", L"12", L"--out", Path("quoted.txt")});
    ASSERT_EQ(quote.exitCode, 0) << quote.out << quote.err;
    EXPECT_THAT(quote.out, HasSubstr("create Tessel.Addin {"));
    EXPECT_THAT(quote.out, HasSubstr(kQuoteItemAdded));
    EXPECT_THAT(quote.out, HasSubstr("dialog \"Quote/Unquote Selected Text\": quote \"> \" 12, OK\n"
                                     "write Inspector 1 \"> Gr"));
    EXPECT_THAT(quote.out, HasSubstr("save Inspector 1 IPM.Note\nclose Inspector 1\n"));
    EXPECT_THAT(quote.out, HasSubstr(kQuoteItemDeleted));
    EXPECT_THAT(quote.out, HasSubstr(kNothingLeft));
    EXPECT_EQ(Read("quoted.txt"), kQuoted);

    const ProgramRun unquote =
        Hostsim({L"--message", Path("quoted.txt"), L"--mode", L"unquote", L"--sign", L"> ",
                 L"--levels", L"1", L"--out", Path("unquoted.txt")});
    ASSERT_EQ(unquote.exitCode, 0) << unquote.out << unquote.err;
    EXPECT_THAT(unquote.out,
                HasSubstr("dialog \"Quote/Unquote Selected Text\": unquote \"> \" 1, OK\n"));
    EXPECT_THAT(unquote.out, HasSubstr(kNothingLeft));
    EXPECT_EQ(Read("unquoted.txt"), kUnquoted);
}

// Unregistered, straight from the DLL. A width out of range is refused with a message box; the
// user then cancels, and the text stays as it was.
TEST_F(EndToEnd, DllLoadedByPathRefusesAWidthOutOfRange)
{
    const ProgramRun run =
        Hostsim({L"--dll", Path("Tessel.dll"), L"--message", Path("message.txt"), L"--mode",
                 L"quote", L"--width", L"5", L"--out", Path("out.txt")});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_THAT(run.out, HasSubstr("(DllGetClassObject)\n"));
    EXPECT_THAT(run.out, HasSubstr("dialog \"Quote/Unquote Selected Text\": quote \"> \" 5, OK\n"
                                   "message box \"Tessel\": \"Please enter the number in between "
                                   "10 and 110.\"\n"
                                   "dialog \"Quote/Unquote Selected Text\": Cancel\n"
                                   "close Inspector 1\n"));
    EXPECT_THAT(run.out, Not(HasSubstr("save ")));
    EXPECT_THAT(run.out, HasSubstr(kNothingLeft));
    EXPECT_EQ(Read("out.txt"), kMessage);
}

// Every key that ends the dialog, pressed in the sign box after typing: a confirming one quotes
// as the OK button does, a dismissing one leaves the text and the message as they were.
TEST_F(EndToEnd, KeysThatEndTheDialogQuoteOrLeaveTheTextAsItsButtonsDo)
{
    struct Key
    {
        const wchar_t* name;
        const char* label;
        bool confirms;
    };
    const Key keys[] = {
        {L"enter", "Enter", true},
        {L"shift+enter", "Shift+Enter", true},
        {L"ctrl+enter", "Ctrl+Enter", true},
        {L"execute", "Execute", true},
        {L"escape", "Esc", false},
        {L"shift+escape", "Shift+Esc", false},
        {L"ctrl+break", "Ctrl+Break", false},
    };
    for (const Key& key : keys)
    {
        SCOPED_TRACE(key.label);
        const ProgramRun run =
            Hostsim({L"--dll", Path("Tessel.dll"), L"--message", Path("message.txt"), L"--mode",
                     L"quote", L"--sign", L"> ", L"--width", L"12", L"--confirm-key", key.name,
                     L"--out", Path("out.txt")});
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
        EXPECT_THAT(run.out, HasSubstr("dialog \"Quote/Unquote Selected Text\": quote \"> \" 12, " +
                                       std::string(key.label) + "\n"));
        EXPECT_EQ(run.out.find("save ") != std::string::npos, key.confirms) << run.out;
        EXPECT_THAT(run.out, HasSubstr(kNothingLeft));
        EXPECT_EQ(Read("out.txt"), key.confirms ? kQuoted : kMessage);
    }
}

// The choices stored by one quote come back exactly in the next dialog: the sign's blank kept.
TEST_F(EndToEnd, AcceptingTheDialogAsItOpensQuotesWithTheSignUsedLast)
{
    const ProgramRun first =
        Hostsim({L"--dll", Path("Tessel.dll"), L"--message", Path("message.txt"), L"--mode",
                 L"quote", L"--sign", L"> ", L"--width", L"12"});
    ASSERT_EQ(first.exitCode, 0) << first.out << first.err;
    for (const wchar_t* key : {L"", L"shift+enter"})
    {
        std::vector<std::wstring> arguments = {
            L"--dll",    Path("Tessel.dll"), L"--message",   Path("message.txt"),
            L"--accept", L"--out",           Path("out.txt")};
        if (*key != L'\0')
            arguments.insert(arguments.end(), {L"--confirm-key", key});
        const ProgramRun run = Hostsim(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
        EXPECT_THAT(run.out, HasSubstr("dialog \"Quote/Unquote Selected Text\": accept, "));
        EXPECT_EQ(Read("out.txt"), kQuoted);
    }
    EXPECT_EQ(Read("TesselHistory.lst"), "> \r\n");
}

// A sign the ANSI code page cannot hold is used as typed, and stored neither in the settings
// nor in the history; a blank-only sign, which loading would skip, never enters the history.
TEST_F(EndToEnd, SignsThatTheFilesCannotKeepAreUsedButNotStored)
{
    const ProgramRun arrow =
        Hostsim({L"--dll", Path("Tessel.dll"), L"--message", Path("message.txt"), L"--mode",
                 L"quote", L"--sign", L"\u2192 ", L"--out", Path("out.txt")});
    ASSERT_EQ(arrow.exitCode, 0) << arrow.out << arrow.err;
    EXPECT_EQ(Read("out.txt").rfind("\xE2\x86\x92 Gr", 0), 0u) << Read("out.txt");
    const std::string settings = Read("Tessel.ini");
    EXPECT_THAT(settings, Not(HasSubstr("QuoteLast")));
    EXPECT_THAT(settings, Not(HasSubstr("?")));
    EXPECT_EQ(GetFileAttributesW(Path("TesselHistory.lst").c_str()), INVALID_FILE_ATTRIBUTES);

    WriteFileBytes(m_folder.File("TesselHistory.lst"), "> \r\n");
    for (int use = 0; use < 3; ++use)
    {
        const ProgramRun blanks =
            Hostsim({L"--dll", Path("Tessel.dll"), L"--message", Path("message.txt"), L"--mode",
                     L"quote", L"--sign", L"   ", L"--out", Path("out.txt")});
        ASSERT_EQ(blanks.exitCode, 0) << blanks.out << blanks.err;
        EXPECT_EQ(Read("out.txt").rfind("   Gr", 0), 0u) << Read("out.txt");
    }
    EXPECT_EQ(Read("TesselHistory.lst"), "> \r\n");
}

// What the 2000-2003 clients do that the add-in must survive, one option each; every run ends
// with nothing alive and the DLL free to go.
TEST_F(EndToEnd, SurvivesWhatTheRealClientDoes)
{
    const struct
    {
        std::vector<std::wstring> options;
        std::size_t dialogs;
        std::size_t written; // writes, and saves
        std::vector<const char*> shown;
        std::vector<const char*> notShown;
    } cases[] = {
        {{}, 1, 1, {"close Explorer\n", "disconnect\n"}, {"host stays running"}},
        {{L"--windows", L"3"}, 1, 1, {"open Inspector 3 ", "click Inspector 3 "}, {}},
        {{L"--during-dialog", L"click"}, 1, 1, {}, {}},
        {{L"--during-dialog", L"close"}, 1, 0, {}, {}},
        {{L"--during-dialog", L"quit"}, 1, 0, {}, {"host stays running"}},
        {{L"--host", L"modern", L"--during-dialog", L"quit"},
         1,
         0,
         {"disconnect\nDllCanUnloadNow: S_FALSE\ndialog"},
         {}},
        {{L"--inspector-on-top"}, 1, 1, {"add Inspector 2 > F&ormat > #6"}, {}},
        {{L"--explorer-menus", L"6"}, 1, 1, {"connect: S_OK\n"}, {"add Explorer"}},
        {{L"--control-object", L"none"},
         1,
         1,
         {"add Explorer > &Help > #3", "add Inspector 1 > F&ormat > #6"},
         {}},
        {{L"--guard", L"deny"}, 0, 0, {"click delivered to"}, {}},
    };
    for (const auto& c : cases)
    {
        std::vector<std::wstring> arguments = {
            L"--dll", Path("Tessel.dll"), L"--message", Path("message.txt"), L"--mode", L"quote"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        std::wstring name;
        for (const std::wstring& option : c.options)
            name += option + L" ";
        SCOPED_TRACE(WideToAnsi(name));
        const ProgramRun run = Hostsim(arguments);
        EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
        EXPECT_EQ(Occurrences(run.out, "dialog \"Quote/Unquote Selected Text\""), c.dialogs)
            << run.out;
        EXPECT_EQ(Occurrences(run.out, "\nwrite "), c.written) << run.out;
        EXPECT_EQ(Occurrences(run.out, "\nsave "), c.written) << run.out;
        for (const char* shown : c.shown)
            EXPECT_THAT(run.out, HasSubstr(shown));
        for (const char* notShown : c.notShown)
            EXPECT_THAT(run.out, Not(HasSubstr(notShown)));
        EXPECT_THAT(run.out, HasSubstr(kNothingLeft));
    }
}

// A message with a manual line break, as pasted into Word, and as Word then holds it.
constexpr char kWordMessage[] = "Hello Anna,\r\nthe tiles are in.\vThe grout follows.\r\n\r\n"
                                "Best, Bob\r\n";
constexpr char kWordText[] = "Hello Anna,\rthe tiles are in.\vThe grout follows.\r\rBest, Bob\r";

// The lines of Word's text, which ends paragraphs with CR and manual line breaks with VT.
std::vector<std::string> WordLines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (const char c : text)
    {
        if (c == '\r' || c == '\v')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}

// The 2007-365 clients, with the opt-in: the ribbon button quotes in Word (in a mail window, or
// in a reply in the reading pane), every line behind the sign and within the width, an unquote
// of that gives the message back, and the About button opens the About dialog. Without the
// opt-in they find the add-in inert and the text stays as it was.
TEST_F(EndToEnd, ModernClientsQuoteAndUnquoteInWordOnlyWithTheOptIn)
{
    WriteFileBytes(m_folder.File("word.txt"), kWordMessage);
    const std::vector<std::vector<std::wstring>> clients = {
        {L"--version", L"12.0.6607.1000"},
        {L"--version", L"14.0.7268.5000"},
        {L"--version", L"16.0.17928.20114"},
        {L"--version", L"16.0.17928.20114", L"--inline"},
    };
    const auto run = [this](const std::vector<std::wstring>& client, const wchar_t* message,
                            std::vector<std::wstring> arguments) {
        arguments.insert(arguments.begin(), {L"--dll", Path("Tessel.dll"), L"--message", message});
        arguments.insert(arguments.end(), client.begin(), client.end());
        return Hostsim(arguments);
    };
    {
        const ModernClientsOptIn optIn;
        for (const auto& client : clients)
        {
            SCOPED_TRACE(WideToAnsi(client.back()));
            const ProgramRun quote =
                run(client, Path("word.txt").c_str(),
                    {L"--mode", L"quote", L"--width", L"20", L"--about", L"--out", Path("q.txt")});
            ASSERT_EQ(quote.exitCode, 0) << quote.out << quote.err;
            EXPECT_THAT(quote.out, HasSubstr(": group \"Tessel\" button \"&Quote/Unquote "
                                             "Selected Text\"\n"));
            EXPECT_THAT(quote.out, HasSubstr("dialog \"About\": Close\n"));
            EXPECT_THAT(quote.out, Not(HasSubstr("\nadd ")));
            EXPECT_THAT(quote.out, HasSubstr(kNothingLeft));
            for (const std::string& line : WordLines(Read("q.txt")))
            {
                EXPECT_EQ(line.rfind("> ", 0), 0u) << line;
                EXPECT_LE(line.size(), 2u + 20u) << line;
            }
            const ProgramRun unquote = run(client, Path("q.txt").c_str(),
                                           {L"--mode", L"unquote", L"--out", Path("u.txt")});
            ASSERT_EQ(unquote.exitCode, 0) << unquote.out << unquote.err;
            EXPECT_EQ(Read("u.txt"), kWordText);
        }
    }
    for (const auto& client : clients)
    {
        SCOPED_TRACE(WideToAnsi(client.back()) + " without the opt-in");
        const ProgramRun inert =
            run(client, Path("word.txt").c_str(), {L"--mode", L"quote", L"--out", Path("q.txt")});
        ASSERT_EQ(inert.exitCode, 0) << inert.out << inert.err;
        EXPECT_THAT(inert.out, HasSubstr("nothing to click: no \"&Quote/Unquote Selected Text\""));
        EXPECT_THAT(inert.out, Not(HasSubstr("button")));
        EXPECT_THAT(inert.out, Not(HasSubstr("\nadd ")));
        EXPECT_EQ(Read("q.txt"), kWordText);
    }
}

// The ANSI code page cannot spell "тест": the data files still lie beside the DLL, never beside
// the client's program.
TEST_F(EndToEnd, DataFilesLieBesideTheDllInAFolderTheCodePageCannotSpell)
{
    const std::wstring folder = AnsiToWide(m_folder.Path()) + L"\u0442\u0435\u0441\u0442\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(kBuiltDll.c_str(), (folder + L"Tessel.dll").c_str(), FALSE));
    const ProgramRun run = Hostsim(
        {L"--dll", folder + L"Tessel.dll", L"--message", Path("message.txt"), L"--mode", L"quote"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    for (const wchar_t* file : {L"Tessel.ini", L"TesselHistory.lst"})
    {
        EXPECT_NE(GetFileAttributesW((folder + file).c_str()), INVALID_FILE_ATTRIBUTES)
            << WideToAnsi(file);
        const std::wstring besideTheClient = kHostsim.substr(0, kHostsim.rfind(L'\\') + 1) + file;
        EXPECT_EQ(GetFileAttributesW(besideTheClient.c_str()), INVALID_FILE_ATTRIBUTES)
            << WideToAnsi(file);
    }
}

// An add-in that lets an exception out, or crashes: the transcript so far is out, and the
// failure is named.
TEST_F(EndToEnd, ReportsAnAddinThatFails)
{
    const struct
    {
        const wchar_t* fault;
        const char* reason;
    } cases[] = {
        {L"throw", "hostsim: the add-in failed: it aborted the process"},
        {L"crash", "hostsim: the add-in failed: exception 0xC0000005 in faulty_addin.dll\n"},
    };
    for (const auto& c : cases)
    {
        SetEnvironmentVariableW(L"TESSEL_FAULT", c.fault);
        const ProgramRun run = Hostsim(
            {L"--dll", kFaultyAddin, L"--message", Path("message.txt"), L"--mode", L"cancel"});
        SetEnvironmentVariableW(L"TESSEL_FAULT", nullptr);
        SCOPED_TRACE(WideToAnsi(c.fault));
        EXPECT_EQ(run.exitCode, 5) << run.out << run.err;
        EXPECT_THAT(run.out, HasSubstr("create {"));
        EXPECT_THAT(run.err, HasSubstr(c.reason));
    }
}

TEST_F(EndToEnd, ReportsBadOptionsAndUnusableInputWithItsExitCodes)
{
    WriteFileBytes(m_folder.File("invalid.txt"), "ok \xC3\x28 not");
    struct Case
    {
        std::vector<std::wstring> arguments;
        long exitCode;
        const char* message;
    };
    const Case cases[] = {
        {{L"--message", Path("message.txt"), L"--colour", L"red"}, 2, "unknown option '--colour'"},
        {{L"--message", Path("message.txt"), L"--mode", L"quote", L"--width", L"2147483648"},
         2,
         "'--width' needs a whole number that fits an int, not '2147483648'"},
        {{L"--message", Path("message.txt"), L"--mode", L"sideways"},
         2,
         "'--mode' takes quote, unquote, cancel, not 'sideways'"},
        {{L"--message", Path("message.txt"), L"--accept", L"--confirm-key", L"space"},
         2,
         "'--confirm-key' takes enter, shift+enter, ctrl+enter, execute, escape, shift+escape, "
         "ctrl+break, not 'space'"},
        {{L"--message", Path("message.txt"), L"--mode", L"cancel", L"--confirm-key", L"enter"},
         2,
         "--mode cancel ends the dialog with a dismissing key, not 'enter'"},
        {{L"--message", Path("message.txt"), L"--accept", L"--mode", L"quote"},
         2,
         "give either --mode or --accept, not both"},
        {{L"--mode", L"cancel"}, 2, "missing --message FILE"},
        {{L"--message", Path("message.txt"), L"--windows", L"0"},
         2,
         "'--windows' needs a whole number from 1 to 50, not '0'"},
        {{L"--message", Path("message.txt"), L"--during-dialog", L"dance"},
         2,
         "'--during-dialog' takes click, close, quit, not 'dance'"},
        {{L"--message", Path("message.txt"), L"--host", L"retro"},
         2,
         "'--host' takes classic, modern, not 'retro'"},
        {{L"--message", Path("message.txt"), L"--version", L"14.0.7268", L"--inline"},
         2,
         "--inline needs a client that writes replies in the reading pane"},
        {{L"--message", Path("message.txt"), L"--version", L"16.0.1", L"--editor", L"html"},
         2,
         "clients from version 12 on edit every message in Word"},
        {{L"--message", Path("missing.txt")}, 1, "cannot open"},
        {{L"--message", Path("invalid.txt")}, 1, "invalid.txt: invalid UTF-8 at byte 3"},
        {{L"--message", Path("message.txt"), L"--progid", L"Tessel.NotThere", L"--mode", L"cancel"},
         3,
         "no class is registered for the ProgID Tessel.NotThere"},
    };
    for (const Case& c : cases)
    {
        const ProgramRun run = Hostsim(c.arguments);
        SCOPED_TRACE(c.message);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.out << run.err;
        EXPECT_THAT(run.err, HasSubstr(c.message));
    }
}

} // namespace
} // namespace tessel::test
