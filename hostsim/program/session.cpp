#include "hostsim/program/session.h"

#include "hostsim/host.h"
#include "hostsim/live_objects.h"
#include "hostsim/program/console.h"
#include "hostsim/program/addin_loader.h"
#include "hostsim/scripted_user.h"
#include "ui/resource.h"
#include "win/ansi.h"
#include "win/com_apartment.h"
#include "win/window_picture.h"

#include <chrono>
#include <memory>
#include <stdexcept>

namespace tessel::hostsim
{
namespace
{

constexpr wchar_t kQuoteItem[] = L"&Quote/Unquote Selected Text";
constexpr int kQuoteMenu = 5;
constexpr wchar_t kAboutItem[] = L"About Custom Tessel Addin...";
constexpr int kAboutMenu = 7; // of the main window
constexpr wchar_t kSavedEntryId[] = L"00000000A1B2C3D4E5F6";

// The custom array the client hands every IDTExtensibility2 call: empty.
class CustomArray
{
  public:
    CustomArray() : m_array(SafeArrayCreateVector(VT_VARIANT, 0, 0)) {}
    ~CustomArray()
    {
        if (m_array != nullptr)
            SafeArrayDestroy(m_array);
    }
    CustomArray(const CustomArray&) = delete;
    CustomArray& operator=(const CustomArray&) = delete;
    SAFEARRAY** operator&() { return &m_array; }

  private:
    SAFEARRAY* m_array;
};

// Text pasted into Word: every line end (CR LF, LF or CR) becomes a paragraph mark; a VT is a
// manual line break already.
std::wstring AsWordText(const std::wstring& text)
{
    std::wstring word;
    for (std::size_t at = 0; at < text.size(); ++at)
    {
        if (text[at] == L'\r' && at + 1 < text.size() && text[at + 1] == L'\n')
            continue; // the LF that follows ends the line
        word += text[at] == L'\n' ? L'\r' : text[at];
    }
    return word;
}

InspectorSetup MessageWindow(const ProgramOptions& options, const std::wstring& message)
{
    InspectorSetup setup;
    if (options.saved)
        setup.item.entryId = kSavedEntryId;
    setup.editor = options.editor;
    const std::wstring text = options.editor == EditorKind::Word ? AsWordText(message) : message;
    setup.text = text;
    setup.selectionEnd = text.size();
    setup.editMessage = options.editItem;
    return setup;
}

QuoteAnswer ScriptedAnswer(const ProgramOptions& options)
{
    switch (options.answer)
    {
        case DialogAnswer::Quote:
            return QuoteAnswer::Quote(options.sign, options.width).EndedWith(options.confirmKey);
        case DialogAnswer::Unquote:
            return QuoteAnswer::Unquote(options.sign, options.levels).EndedWith(options.confirmKey);
        case DialogAnswer::Accept:
            return QuoteAnswer::Accept().EndedWith(options.confirmKey);
        default:
            return QuoteAnswer::Cancel().EndedWith(options.confirmKey);
    }
}

bool IsEnabledQuoteDialog(HWND window)
{
    return DialogWithCaption(kQuoteDialogCaption)(window) && IsWindowEnabled(window);
}

// The transcript goes out line by line as things happen, so that a run that crashes still
// shows how far it got.
void PrintLine(const std::wstring& line)
{
    PrintOut(line + L"\n");
}

HostOptions HostOf(const ProgramOptions& options)
{
    HostOptions host;
    host.version = options.version;
    host.kind = options.host;
    if (options.explorerMenus)
        host.explorerMenuBar = ExplorerMenuBarOf(static_cast<std::size_t>(*options.explorerMenus));
    host.controlObject = options.controlObject;
    host.guard = options.guard;
    return host;
}

class Session
{
  public:
    Session(const ProgramOptions& options, SessionReport& report)
        : m_options(options), m_report(report)
    {
    }

    void Run(const std::wstring& messageText);

  private:
    bool Start();
    void ScriptTheUser();
    WindowId OpenMessageWindows(const std::wstring& messageText);
    void ClickQuoteItem(WindowId window);
    void ClickAbout(WindowId window);
    std::wstring WindowName(WindowId window) const;
    void ActDuringDialog();
    void Quit();
    void EndTheClient();
    void Disconnect();
    void ShutDown();
    void CheckNothingLeft();
    void RecordDialog(HWND dialog, const wchar_t* answer);
    void Fail(ExitCode code, std::wstring error);

    const ProgramOptions& m_options;
    SessionReport& m_report;
    LoadedAddin m_addin;
    std::unique_ptr<Host> m_host;
    std::unique_ptr<ScriptedUser> m_user;
    CustomArray m_custom;
    WindowId m_window;           // the mail window whose quote item is clicked
    bool m_disconnected = false; // OnBeginShutdown and OnDisconnection were called
};

void Session::Run(const std::wstring& messageText)
{
    if (Start())
    {
        ScriptTheUser();
        m_window = OpenMessageWindows(messageText);
        ClickQuoteItem(m_window);
        m_report.editorText = m_host->EditorText(m_window);
        if (m_options.about)
            ClickAbout(m_window);
        EndTheClient();
    }
    ShutDown();
    if (m_report.exitCode != kExitNotStarted)
        CheckNothingLeft();
}

bool Session::Start()
{
    m_host = std::make_unique<Host>(HostOf(m_options));
    m_host->Record().SetListener([](const Event& event) { PrintLine(Line(event)); });
    m_user = std::make_unique<ScriptedUser>(*m_host);
    try
    {
        m_host->ShowMainWindow(m_options.title);
        // The client started by opening a message (or a mailto: link): that window lies above
        // the main window when the add-in connects.
        if (m_options.inspectorOnTop)
            m_host->OpenInspector();
    }
    catch (const std::runtime_error&)
    {
        Fail(kExitNotStarted, L"cannot create the client's windows (is there a display?)");
        return false;
    }

    std::wstring created;
    std::wstring error;
    const HRESULT hr = m_options.dllPath.empty()
                           ? m_addin.CreateByProgId(m_options.progId, created, error)
                           : m_addin.CreateFromDll(m_options.dllPath, created, error);
    if (FAILED(hr))
    {
        Fail(kExitNotStarted, error);
        return false;
    }
    PrintLine(L"create " + created);

    const HRESULT connected = m_addin.Object()->OnConnection(m_host->Application().Get(),
                                                             ext_cm_Startup, nullptr, &m_custom);
    PrintLine(L"connect: " + StatusText(connected));
    if (FAILED(connected))
    {
        Fail(kExitNotStarted, L"OnConnection failed (" + StatusText(connected) + L")");
        return false;
    }
    m_host->ConnectRibbon(m_addin.Object());
    m_addin.Object()->OnStartupComplete(&m_custom); // its result means nothing to the client
    return true;
}

void Session::ScriptTheUser()
{
    m_user->AnswerEveryMessageBox();
    m_user->AnswerEveryAboutDialog();
    const bool capture = !m_options.captureFile.empty();
    auto look = [this, capture](HWND dialog) {
        if (capture)
            m_report.dialogPicture = tessel::WindowBitmapFile(dialog);
        ActDuringDialog();
    };
    const DialogAnswer answer = m_options.answer;
    if (answer == DialogAnswer::AtTheScreen)
    {
        // The person at the display takes as long as they like; nothing is closed by force.
        m_user->Driver().SetPatience(std::chrono::hours(24));
        m_user->Driver().Expect("Quote/Unquote dialog", DialogWithCaption(kQuoteDialogCaption),
                                [this, look](HWND dialog) {
                                    look(dialog);
                                    RecordDialog(dialog, L"left to the person at the screen");
                                });
        return;
    }
    m_user->ExpectQuoteDialog(ScriptedAnswer(m_options), look);
    // A dialog that refuses the answer (a width out of range, say) stays open once its message
    // box is answered; the user then gives up. While the message box is up the dialog is
    // disabled, so this step waits for it.
    m_user->Driver().Expect("Quote/Unquote dialog after a refused answer", IsEnabledQuoteDialog,
                            [this](HWND dialog) {
                                RecordDialog(dialog, L"Cancel");
                                PostClick(dialog, IDC_DISMISS);
                            });
}

WindowId Session::OpenMessageWindows(const std::wstring& messageText)
{
    if (m_options.inlineReply)
    {
        m_host->OpenInlineResponse(MessageWindow(m_options, messageText));
        return kExplorer;
    }
    WindowId last;
    for (int opened = 0; opened < m_options.windows; ++opened)
        last = m_host->OpenInspector(MessageWindow(m_options, messageText));
    return last; // the active one
}

std::wstring Session::WindowName(WindowId window) const
{
    return window == kExplorer ? L"Explorer" : L"Inspector " + std::to_wstring(window.value);
}

// The ribbon button when the add-in gave the window one, else the menu item.
void Session::ClickQuoteItem(WindowId window)
{
    if (m_host->FindRibbonButton(window, kQuoteItem))
    {
        m_host->ClickRibbon(window, kQuoteItem);
        return;
    }
    if (window != kExplorer && m_host->FindMenuItem(window, kQuoteMenu, kQuoteItem))
    {
        m_host->Click(window, kQuoteMenu, kQuoteItem);
        return;
    }
    PrintLine(L"nothing to click: no " + Quoted(kQuoteItem) +
              (m_host->Traits().ribbon ? L" on the ribbon or" : L"") + L" in menu " +
              std::to_wstring(kQuoteMenu) + L" of " + WindowName(window));
}

// The window's ribbon button, or the main window's menu item.
void Session::ClickAbout(WindowId window)
{
    const bool onRibbon = m_host->FindRibbonButton(window, kAboutItem).has_value();
    const bool inMenu = m_host->FindMenuItem(kExplorer, kAboutMenu, kAboutItem).has_value();
    if (!onRibbon && !inMenu)
    {
        PrintLine(L"nothing to click: no " + Quoted(kAboutItem) + L" on the ribbon of " +
                  WindowName(window) + L" or in menu " + std::to_wstring(kAboutMenu) +
                  L" of Explorer");
        return;
    }
    if (onRibbon)
        m_host->ClickRibbon(window, kAboutItem);
    else
        m_host->Click(kExplorer, kAboutMenu, kAboutItem);
}

void Session::ActDuringDialog()
{
    switch (m_options.duringDialog)
    {
        case DuringDialog::Nothing:
            break;
        case DuringDialog::Click:
            ClickQuoteItem(m_window);
            break;
        case DuringDialog::Close:
            if (m_window == kExplorer)
                m_host->CloseInlineResponse();
            else
                m_host->CloseInspector(m_window);
            break;
        case DuringDialog::Quit:
            Quit();
            // A modern client has let go of the add-in by now; it would unload the DLL if the
            // DLL allowed it, with the add-in's dialog still open.
            if (m_addin.Object() == nullptr)
                PrintLine(L"DllCanUnloadNow: " + StatusText(m_addin.CanUnloadNow()));
            break;
    }
}

// The user ends the client: its windows close. A modern client then ends at once, whatever its
// add-ins hold (2007 disconnects them first; 2010 and later do not tell them); a 2000-2003 client
// waits until nothing of it is held.
void Session::Quit()
{
    if (m_host->HasQuit())
        return;
    m_host->Quit();
    if (m_host->Traits().waitsForReleasedObjects)
        return;
    if (!m_host->Traits().fastShutdown)
        return Disconnect();
    m_disconnected = true;
    PrintLine(L"end without disconnecting (fast shutdown)");
    m_host->Shutdown();
    m_addin.ReleaseObject();
}

void Session::EndTheClient()
{
    Quit();
    if (m_disconnected)
        return;
    if (m_host->ReadyToDisconnect())
        Disconnect();
    else
        m_report.exitCode = kExitLeftAlive; // the client stays in memory
}

void Session::Disconnect()
{
    m_disconnected = true;
    PrintLine(L"disconnect");
    // What the client tells its add-ins when it ends; it ignores their answers.
    m_addin.Object()->OnBeginShutdown(&m_custom);
    m_addin.Object()->OnDisconnection(ext_dm_HostShutdown, &m_custom);
    if (!m_host->Traits().waitsForReleasedObjects)
    {
        m_host->Shutdown();
        m_addin.ReleaseObject();
    }
}

void Session::ShutDown()
{
    if (m_host)
        m_host->Shutdown();
    if (m_user)
        for (const std::string& caption : m_user->Rescued())
            PrintLine(L"closed by force: " + Quoted(AnsiToWide(caption)));
    m_user.reset();
    m_addin.ReleaseObject();
    m_host.reset();
}

void Session::CheckNothingLeft()
{
    const std::vector<LiveObject> alive = LiveObjects();
    if (alive.empty())
        PrintLine(L"live objects: none");
    for (const LiveObject& object : alive)
        PrintLine(L"live object: " + object.label + L" [" + object.kind + L"] refs " +
                  std::to_wstring(object.references));
    const HRESULT canUnload = m_addin.CanUnloadNow();
    PrintLine(L"DllCanUnloadNow: " + StatusText(canUnload));
    if (!alive.empty() || canUnload != S_OK)
        m_report.exitCode = kExitLeftAlive;
}

void Session::RecordDialog(HWND dialog, const wchar_t* answer)
{
    Event event{EventKind::Dialog};
    wchar_t caption[256] = {};
    GetWindowTextW(dialog, caption, 256);
    event.name = caption;
    event.value = answer;
    m_host->Record().Add(std::move(event));
}

void Session::Fail(ExitCode code, std::wstring error)
{
    m_report.exitCode = code;
    m_report.error = std::move(error);
}

} // namespace

SessionReport RunSession(const ProgramOptions& options, const std::wstring& messageText)
{
    const ComApartment apartment;
    SessionReport report;
    {
        Session session(options, report);
        session.Run(messageText);
    }
    return report;
}

} // namespace tessel::hostsim
