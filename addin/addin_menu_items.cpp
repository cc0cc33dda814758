// The add-in's menu items: the quote item of every tracked message window, with its two
// sinks, and the About item of the main window.

#include "addin/addin_object.h"
#include "addin/dispatch_call.h"
#include "addin/host_iids.h"
#include "addin/inspector_close_sink.h"
#include "addin/menu_items.h"
#include "addin/message_class.h"
#include "addin/quote_button_sink.h"
#include "server/module.h"
#include "ui/about_dlg.h"
#include "ui/framework/resource_module.h"
#include "ui/resource.h"
#include "win/result.h"

namespace tessel
{
namespace
{

constexpr long kWordEditor = 4;

// Office raises Click on every button with the same Id and Tag, and every added button has Id 1:
// each item gets a tag of its own, so one click runs one command.
constexpr wchar_t kAboutItemTag[] = L"Tessel.About";
std::wstring NewQuoteItemTag()
{
    static unsigned s_quoteItems = 0;
    return L"Tessel.Quote." + std::to_wstring(++s_quoteItems);
}

} // namespace

void Addin::OnNewInspector(IDispatch* inspectorArgument)
{
    ComPtr<IDispatch> inspector;
    if (FAILED(QueryHostInterface(inspectorArgument, host::kInspector, &inspector)))
        return;
    ComPtr<IDispatch> item;
    if (FAILED(GetObjectProperty(inspector.Get(), L"CurrentItem", &item)) ||
        GetMessageClassCode(item.Get()) != kMessageClassNote)
        return;
    long editorType = 0;
    if (FAILED(GetLongProperty(inspector.Get(), L"EditorType", &editorType)) ||
        editorType == kWordEditor)
        return;
    ComPtr<IDispatch> commandBars;
    if (FAILED(GetObjectProperty(inspector.Get(), L"CommandBars", &commandBars)) || !commandBars)
        return;
    if (FAILED(FindEditMessageButton(commandBars.Get())))
        return;

    ComPtr<IDispatch> menu;
    ComPtr<IDispatch> quoteItem;
    if (FAILED(GetMenuControls(commandBars.Get(), MenuPositions::kInspectorQuoteMenu, &menu)) ||
        FAILED(AddTemporaryButton(menu.Get(), LoadResourceString(IDS_QUOTE_ITEM).c_str(),
                                  NewQuoteItemTag().c_str(), &quoteItem)))
        return;
    TrackWindow(inspector.Get(), std::move(quoteItem));
}

void Addin::TrackWindow(IDispatch* inspector, ComPtr<IDispatch> quoteItem)
{
    // From here on the window's state lives in its two sinks and the host's connections.
    ComPtr<QuoteButtonSink> buttonSink(
        QuoteButtonSink::Create(m_spApp.Get(), m_spEditMessageButton.Get()));
    if (!buttonSink)
    {
        DeleteMenuItem(quoteItem);
        return;
    }
    const HRESULT clicksHeard = buttonSink->Advise(quoteItem.Get());
    ComPtr<InspectorCloseSink> closeSink(InspectorCloseSink::Create(
        m_spApp.Get(), inspector, quoteItem.Get(), std::move(buttonSink), this));
    if (!closeSink)
    {
        DeleteMenuItem(quoteItem);
        return;
    }
    m_trackedWindows.push_back(closeSink.Get());
    const HRESULT closeHeard = closeSink->Advise(inspector);
    InspectorCloseSink* window = closeSink.Detach(); // its creation reference, which it gives up
    // An item whose clicks nobody hears, or a window whose close nobody hears, would keep its
    // sinks and the host's objects for ever: the close handling runs at once instead.
    if (FAILED(clicksHeard) || FAILED(closeHeard))
    {
        m_trackedWindows.pop_back();
        window->LetGo();
    }
}

HRESULT Addin::FindEditMessageButton(IDispatch* commandBars)
{
    ComPtr<IDispatch> editMenu;
    RETURN_IF_FAILED(GetMenuControls(commandBars, MenuPositions::kInspectorEditMenu, &editMenu));
    ComPtr<IDispatch> control;
    RETURN_IF_FAILED(GetObjectProperty(editMenu.Get(), L"Item",
                                       {_variant_t(MenuPositions::EditMessageItem(m_nVersion))},
                                       &control));
    // Null when the control there is no button.
    QueryHostInterface(control.Get(), host::kCommandBarButton, &m_spEditMessageButton);
    return S_OK;
}

HRESULT Addin::AddAboutButton(IDispatch* commandBars)
{
    ComPtr<IDispatch> menu;
    RETURN_IF_FAILED(GetMenuControls(commandBars, MenuPositions::kMainAboutMenu, &menu));
    ComPtr<IDispatch> aboutItem;
    RETURN_IF_FAILED(AddTemporaryButton(menu.Get(), LoadResourceString(IDS_ABOUT_ITEM).c_str(),
                                        kAboutItemTag, &aboutItem));
    const HRESULT hr =
        QueryHostInterface(aboutItem.Get(), host::kCommandBarButton, &m_spAboutButton);
    if (FAILED(hr))
        DeleteMenuItem(aboutItem); // no button: its clicks could not be heard
    return hr;
}

void Addin::OnAboutClick(IDispatch* control, VARIANT_BOOL*)
{
    ComPtr<IDispatch> button; // asked for but not needed
    QueryHostInterface(control, host::kCommandBarButton, &button);
    ShowAboutDialog();
}

void Addin::ShowAboutDialog()
{
    // The host calls on its user-interface thread; the module stays while the dialog runs.
    const ScopedModuleLock running;
    CAboutDlg dialog;
    dialog.DoModal();
}

} // namespace tessel
