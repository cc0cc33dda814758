// The add-in's menu items: the quote item of every tracked message window, with its two
// sinks, and the About item of the main window.

#include "addin/addin_object.h"
#include "addin/dispatch_call.h"
#include "addin/host_iids.h"
#include "addin/inspector_close_sink.h"
#include "addin/menu_items.h"
#include "addin/message_class.h"
#include "addin/quote_button_sink.h"
#include "ui/about_dlg.h"
#include "win/result.h"

namespace tessel
{
namespace
{

constexpr long kWordEditor = 4;
constexpr wchar_t kQuoteItemCaption[] = L"&Quote/Unquote Selected Text";
constexpr wchar_t kAboutItemCaption[] = L"About Custom Tessel Addin...";

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
    if (GetObjectProperty(inspector.Get(), L"CommandBars", &commandBars) != S_OK)
        return;
    if (FAILED(FindEditMessageButton(commandBars.Get())))
        return;

    ComPtr<IDispatch> menu;
    ComPtr<IDispatch> quoteItem;
    if (FAILED(GetMenuControls(commandBars.Get(), MenuPositions::kInspectorQuoteMenu, &menu)) ||
        FAILED(AddTemporaryButton(menu.Get(), kQuoteItemCaption, &quoteItem)))
        return;

    // From here on the window's state lives in its two sinks and the host's connections.
    ComPtr<QuoteButtonSink> buttonSink(
        QuoteButtonSink::Create(m_spApp.Get(), m_spEditMessageButton.Get()));
    if (!buttonSink)
        return;
    buttonSink->Advise(quoteItem.Get());
    ComPtr<InspectorCloseSink> closeSink(InspectorCloseSink::Create(
        m_spApp.Get(), inspector.Get(), quoteItem.Get(), std::move(buttonSink)));
    if (!closeSink)
        return;
    closeSink->Advise(inspector.Get());
    closeSink.Detach(); // its creation reference is given up by its own close handling
}

HRESULT Addin::FindEditMessageButton(IDispatch* commandBars)
{
    ComPtr<IDispatch> editMenu;
    RETURN_IF_FAILED(GetMenuControls(commandBars, MenuPositions::kInspectorEditMenu, &editMenu));
    ComPtr<IDispatch> control;
    RETURN_IF_FAILED(CallObjectMethod(editMenu.Get(), L"Item",
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
    RETURN_IF_FAILED(AddTemporaryButton(menu.Get(), kAboutItemCaption, &aboutItem));
    QueryHostInterface(aboutItem.Get(), host::kCommandBarButton, &m_spAboutButton);
    return S_OK;
}

void Addin::OnAboutClick(IDispatch* control, VARIANT_BOOL*)
{
    ComPtr<IDispatch> button; // asked for but not needed
    QueryHostInterface(control, host::kCommandBarButton, &button);
    CAboutDlg dialog;
    dialog.DoModal();
}

} // namespace tessel
