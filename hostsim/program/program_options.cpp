#include "hostsim/program/program_options.h"

#include "cli/whole_number.h"
#include "hostsim/client_traits.h"

#include <iterator>

namespace tessel::hostsim
{

const std::wstring kProgramUsage =
    // The numbers typed by default are the dialog's own defaults.
    L"Usage: hostsim [--dll PATH | --progid PROGID] [--title TEXT] [--version TEXT]\n"
    L"               [--host classic|modern] [--inspector-on-top] [--explorer-menus N]\n"
    L"               [--control-object self|none] [--guard allow|deny]\n"
    L"               --message FILE [--windows N] [--editor html|plain|rtf|word] [--saved]\n"
    L"               [--edit-item enabled|disabled|absent|caption=TEXT]\n"
    L"               [--mode quote|unquote|cancel] [--sign TEXT] [--width N] [--levels N]\n"
    L"               [--accept] [--confirm-key KEY] [--during-dialog click|close|quit]\n"
    L"               [--inline] [--about] [--out FILE] [--capture FILE]\n"
    L"       hostsim --help\n"
    L"\n"
    L"Plays the mail client around the add-in: shows the main window, creates and connects the\n"
    L"add-in, opens mail windows whose HTML editor (Word from version 12 on) holds FILE (UTF-8)\n"
    L"entirely selected, clicks \"&Quote/Unquote Selected Text\" on the ribbon or in the 5th\n"
    L"menu of the last one, answers the dialog and every message box, closes every window,\n"
    L"disconnects the add-in when the client may, releases everything and prints what happened\n"
    L"as it happens.\n"
    L"\n"
    L"  --progid PROGID    create the add-in by its registered ProgID (default Tessel.Addin)\n"
    L"  --dll PATH         create it through that DLL's own DllGetClassObject instead\n"
    L"  --title TEXT       main window title (default \"Inbox - Microsoft Outlook\", from version\n"
    L"                     15 on \"Inbox - user@example.com - Outlook\")\n"
    L"  --version TEXT     the client's version text (default 11.0.5608): 9 to 11 the 2000-2003\n"
    L"                     clients, 12, 14, 15 and 16 those of 2007, 2010, 2013 and 2016-365\n"
    L"  --host KIND        classic (default): at the end the client disconnects the add-in only\n"
    L"                     once it holds nothing of the client's; modern: regardless\n"
    L"  --inspector-on-top a message window lies above the main window when the add-in connects\n"
    L"  --explorer-menus N the main window's menu bar has N menus (default 7)\n"
    L"  --control-object none  CommandBarControl.Control gives no object (default self)\n"
    L"  --guard deny       the user refuses the object-model guard: HTMLEditor is denied\n"
    L"  --message FILE     the message text, UTF-8 (a leading byte-order mark is dropped)\n"
    L"  --windows N        open N mail windows holding the message (default 1); the click is\n"
    L"                     made in the last, the active one\n"
    L"  --editor KIND      html (default), plain, rtf or word (the only one from version 12 on)\n"
    L"  --inline           the message is a reply written in the main window's reading pane\n"
    L"                     (version 15 on; one only)\n"
    L"  --saved            the message was saved before (it has an entry id)\n"
    L"  --edit-item STATE  the window's Edit Message item: disabled (default, a message being\n"
    L"                     written), enabled (one shown for reading), absent, or\n"
    L"                     caption=TEXT (an enabled item with another caption)\n"
    L"  --mode MODE        the dialog's answer: quote, unquote or cancel; without it the\n"
    L"                     person at the display answers the dialog\n"
    L"  --sign TEXT        the sign typed for quote or unquote (default \"> \")\n"
    L"  --width N          the width typed for quote (default " +
    std::to_wstring(kDefaultWrapWidth) +
    L")\n"
    L"  --levels N         the levels typed for unquote (default " +
    std::to_wstring(kDefaultUnquoteLevels) +
    L")\n"
    L"  --accept           confirm the dialog as it opens, typing nothing (instead of --mode)\n"
    L"  --confirm-key KEY  end the dialog with a key instead of OK, pressed in the sign box:\n"
    L"                     enter, shift+enter, ctrl+enter, execute (confirming), escape,\n"
    L"                     shift+escape or ctrl+break (dismissing; the only ones for cancel)\n"
    L"  --during-dialog ACTION  while the dialog is open, first: click the same quote item\n"
    L"                     again, close the mail window, or quit the client\n"
    L"  --out FILE         write the editor's whole text after the command, UTF-8\n"
    L"  --capture FILE     write a 24-bit BMP of the Quote/Unquote dialog as it opens\n"
    L"  --about            after the command, click \"About Custom Tessel Addin...\" and close\n"
    L"                     the About dialog\n"
    L"  -h, --help         show this help\n"
    L"\n"
    L"Exit status: 0 done, 1 unreadable or invalid message file or unwritable output,\n"
    L"2 usage error, 3 the add-in could not be created or connected, 4 the client stayed\n"
    L"running, something was left alive after release or DllCanUnloadNow did not say S_OK,\n"
    L"5 the add-in failed (an exception or a crash inside it).\n";

namespace
{

struct Choice
{
    const wchar_t* name;
    int value;
};

// The value's entry in a table of choices; false when it has none.
template <std::size_t N>
bool Choose(const std::wstring& text, const Choice (&choices)[N], int& value)
{
    for (const Choice& choice : choices)
        if (text == choice.name)
            return value = choice.value, true;
    return false;
}

const Choice kEditors[] = {
    {L"html", static_cast<int>(EditorKind::Html)},
    {L"plain", static_cast<int>(EditorKind::Text)},
    {L"rtf", static_cast<int>(EditorKind::Rtf)},
    {L"word", static_cast<int>(EditorKind::Word)},
};

const Choice kModes[] = {
    {L"quote", static_cast<int>(DialogAnswer::Quote)},
    {L"unquote", static_cast<int>(DialogAnswer::Unquote)},
    {L"cancel", static_cast<int>(DialogAnswer::Cancel)},
};

const Choice kHosts[] = {
    {L"classic", static_cast<int>(HostKind::Classic)},
    {L"modern", static_cast<int>(HostKind::Modern)},
};

const Choice kDuringDialog[] = {
    {L"click", static_cast<int>(DuringDialog::Click)},
    {L"close", static_cast<int>(DuringDialog::Close)},
    {L"quit", static_cast<int>(DuringDialog::Quit)},
};

const Choice kControlObjects[] = {
    {L"self", 1},
    {L"none", 0},
};

const Choice kGuardAnswers[] = {
    {L"allow", static_cast<int>(GuardAnswer::Allow)},
    {L"deny", static_cast<int>(GuardAnswer::Deny)},
};

// Sensible bounds for counts of windows and menus.
constexpr int kMaxWindows = 50;
constexpr int kMaxMenus = 30;

const Choice kEditItems[] = {
    {L"enabled", static_cast<int>(EditMessageItem::State::Enabled)},
    {L"disabled", static_cast<int>(EditMessageItem::State::Disabled)},
    {L"absent", static_cast<int>(EditMessageItem::State::Absent)},
};

class OptionReader
{
  public:
    OptionReader(ProgramOptions& options, std::wstring& error) : m_options(options), m_error(error)
    {
    }

    bool Read(const std::vector<std::wstring>& arguments)
    {
        for (std::size_t i = 0; i < arguments.size(); ++i)
        {
            std::wstring name = arguments[i];
            std::wstring value;
            bool inlineValue = false;
            const std::size_t equals = name.find(L'=');
            if (name.compare(0, 2, L"--") == 0 && equals != std::wstring::npos)
            {
                value = name.substr(equals + 1);
                name.resize(equals);
                inlineValue = true;
            }
            if (name == L"-h" || name == L"--help")
            {
                m_options.help = true;
                continue;
            }
            if (bool* flag = Flag(name))
            {
                if (inlineValue)
                    return Fail(L"option '" + name + L"' takes no value");
                *flag = true;
                continue;
            }
            if (!TakesValue(name))
                return Fail((name.compare(0, 1, L"-") == 0 ? L"unknown option '"
                                                           : L"unexpected argument '") +
                            arguments[i] + L"'");
            if (!inlineValue)
            {
                if (i + 1 >= arguments.size())
                    return Fail(L"option '" + name + L"' needs a value");
                value = arguments[++i];
            }
            if (!Apply(name, value))
                return false;
        }
        return m_options.help || Check();
    }

  private:
    // The options that take no value.
    bool* Flag(const std::wstring& name)
    {
        const struct
        {
            const wchar_t* name;
            bool* flag;
        } flags[] = {
            {L"--saved", &m_options.saved},
            {L"--accept", &m_acceptGiven},
            {L"--inspector-on-top", &m_options.inspectorOnTop},
            {L"--inline", &m_options.inlineReply},
            {L"--about", &m_options.about},
        };
        for (const auto& known : flags)
            if (name == known.name)
                return known.flag;
        return nullptr;
    }

    static bool TakesValue(const std::wstring& name)
    {
        static const wchar_t* const kNames[] = {
            L"--dll",           L"--progid",         L"--title",          L"--version",
            L"--message",       L"--editor",         L"--edit-item",      L"--mode",
            L"--sign",          L"--width",          L"--levels",         L"--out",
            L"--capture",       L"--confirm-key",    L"--host",           L"--windows",
            L"--during-dialog", L"--explorer-menus", L"--control-object", L"--guard",
        };
        for (const wchar_t* known : kNames)
            if (name == known)
                return true;
        return false;
    }

    bool Apply(const std::wstring& name, const std::wstring& value)
    {
        if (name == L"--dll")
            return NonEmpty(name, value) && (m_options.dllPath = value, m_dllGiven = true);
        if (name == L"--progid")
            return NonEmpty(name, value) && (m_options.progId = value, m_progIdGiven = true);
        if (name == L"--title")
            return m_options.title = value, m_titleGiven = true;
        if (name == L"--version")
            return m_options.version = value, true;
        if (name == L"--message")
            return NonEmpty(name, value) && (m_options.messageFile = value, true);
        if (name == L"--out")
            return NonEmpty(name, value) && (m_options.outFile = value, true);
        if (name == L"--capture")
            return NonEmpty(name, value) && (m_options.captureFile = value, true);
        if (name == L"--sign")
            return m_options.sign = value, m_signGiven = true;
        if (name == L"--width")
            return Number(name, value, m_options.width) && (m_widthGiven = true);
        if (name == L"--levels")
            return Number(name, value, m_options.levels) && (m_levelsGiven = true);
        if (name == L"--editor")
            return Enumerated(name, value, kEditors, m_options.editor) && (m_editorGiven = true);
        if (name == L"--mode")
            return Enumerated(name, value, kModes, m_options.answer) && (m_modeGiven = true);
        if (name == L"--confirm-key")
            return ConfirmKey(value);
        if (name == L"--host")
            return Enumerated(name, value, kHosts, m_options.host);
        if (name == L"--during-dialog")
            return Enumerated(name, value, kDuringDialog, m_options.duringDialog);
        if (name == L"--guard")
            return Enumerated(name, value, kGuardAnswers, m_options.guard);
        if (name == L"--control-object")
            return Enumerated(name, value, kControlObjects, m_options.controlObject);
        if (name == L"--windows")
            return Count(name, value, 1, kMaxWindows, m_options.windows);
        if (name == L"--explorer-menus")
        {
            int menus = 0;
            return Count(name, value, 0, kMaxMenus, menus) &&
                   (m_options.explorerMenus = menus, true);
        }
        return EditItem(value);
    }

    bool EditItem(const std::wstring& value)
    {
        const std::wstring captionPrefix = L"caption=";
        if (value.compare(0, captionPrefix.size(), captionPrefix) == 0)
        {
            m_options.editItem = EditMessageItem::Captioned(value.substr(captionPrefix.size()));
            return true;
        }
        return Enumerated(L"--edit-item", value, kEditItems, m_options.editItem.state);
    }

    bool ConfirmKey(const std::wstring& value)
    {
        m_options.confirmKey = FindKey(value);
        if (m_options.confirmKey == nullptr)
            return Fail(L"option '--confirm-key' takes " + KeyNames() + L", not '" + value + L"'");
        return true;
    }

    template <typename Enum, std::size_t N>
    bool Enumerated(const std::wstring& name, const std::wstring& value, const Choice (&choices)[N],
                    Enum& target)
    {
        int chosen = 0;
        if (!Choose(value, choices, chosen))
        {
            std::wstring known;
            for (const Choice& choice : choices)
                known += (known.empty() ? L"" : L", ") + std::wstring(choice.name);
            return Fail(L"option '" + name + L"' takes " + known + L", not '" + value + L"'");
        }
        target = static_cast<Enum>(chosen);
        return true;
    }

    bool Number(const std::wstring& name, const std::wstring& value, int& number)
    {
        if (!ParseWholeNumber(value, number))
            return Fail(L"option '" + name + L"' needs a whole number that fits an int, not '" +
                        value + L"'");
        return true;
    }

    bool Count(const std::wstring& name, const std::wstring& value, int least, int most, int& count)
    {
        if (!ParseWholeNumber(value, count) || count < least || count > most)
            return Fail(L"option '" + name + L"' needs a whole number from " +
                        std::to_wstring(least) + L" to " + std::to_wstring(most) + L", not '" +
                        value + L"'");
        return true;
    }

    bool NonEmpty(const std::wstring& name, const std::wstring& value)
    {
        return !value.empty() || Fail(L"option '" + name + L"' needs a value");
    }

    // Options that only make sense together.
    bool Check()
    {
        if (m_options.messageFile.empty())
            return Fail(L"missing --message FILE");
        if (m_dllGiven && m_progIdGiven)
            return Fail(L"give either --dll or --progid, not both");
        if (m_acceptGiven && m_modeGiven)
            return Fail(L"give either --mode or --accept, not both");
        if (m_acceptGiven)
            m_options.answer = DialogAnswer::Accept;
        const DialogAnswer answer = m_options.answer;
        const Key* key = m_options.confirmKey;
        if (key != nullptr && answer == DialogAnswer::AtTheScreen)
            return Fail(L"--confirm-key goes with --mode or --accept");
        if (key != nullptr && key->confirms && answer == DialogAnswer::Cancel)
            return Fail(L"--mode cancel ends the dialog with a dismissing key, not '" +
                        std::wstring(key->name) + L"'");
        if (m_widthGiven && answer != DialogAnswer::Quote)
            return Fail(L"--width is typed only with --mode quote");
        if (m_levelsGiven && answer != DialogAnswer::Unquote)
            return Fail(L"--levels is typed only with --mode unquote");
        if (m_signGiven && answer != DialogAnswer::Quote && answer != DialogAnswer::Unquote)
            return Fail(L"--sign is typed only with --mode quote or unquote");
        return CheckClient();
    }

    // What the client of the version has: its title, Word as the only editor from 2007 on,
    // replies in the reading pane from 2013 on.
    bool CheckClient()
    {
        const int major = MajorVersion(m_options.version);
        if (!m_titleGiven && major >= 15)
            m_options.title = L"Inbox - user@example.com - Outlook";
        if (major >= 12)
        {
            if (m_editorGiven && m_options.editor != EditorKind::Word)
                return Fail(L"clients from version 12 on edit every message in Word: give no "
                            L"--editor but word");
            m_options.editor = EditorKind::Word;
        }
        if (m_options.inlineReply && major < 15)
            return Fail(L"--inline needs a client that writes replies in the reading pane "
                        L"(--version 15 or later)");
        if (m_options.inlineReply && m_options.windows != 1)
            return Fail(L"--inline writes one reply; give no --windows");
        return true;
    }

    bool Fail(std::wstring reason)
    {
        m_error = std::move(reason);
        return false;
    }

    ProgramOptions& m_options;
    std::wstring& m_error;
    bool m_dllGiven = false;
    bool m_modeGiven = false;
    bool m_acceptGiven = false;
    bool m_progIdGiven = false;
    bool m_signGiven = false;
    bool m_widthGiven = false;
    bool m_levelsGiven = false;
    bool m_titleGiven = false;
    bool m_editorGiven = false;
};

} // namespace

bool ParseProgramOptions(const std::vector<std::wstring>& arguments, ProgramOptions& options,
                         std::wstring& error)
{
    options = ProgramOptions{};
    error.clear();
    return OptionReader(options, error).Read(arguments);
}

} // namespace tessel::hostsim
