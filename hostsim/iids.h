#pragma once
// Interface identifiers of the host's published object model: the mail client's own interfaces
// (the 0006xxxx family), the shared Office command bars and ribbon (000Cxxxx), Word's (0002xxxx)
// and the HTML editor's document. hostsim answers them; the add-in asks for them with
// QueryInterface.

#include <windows.h>

#include <string>

namespace tessel::hostsim
{

// Every identifier of the first three families ends in C000-000000000046.
constexpr GUID OfficeGuid(unsigned long first)
{
    return {first, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
}

// The mail client.
inline constexpr IID kIID_Application = OfficeGuid(0x00063001);
inline constexpr IID kIID_Explorer = OfficeGuid(0x00063003);
inline constexpr IID kIID_Inspector = OfficeGuid(0x00063005);
inline constexpr IID kIID_Inspectors = OfficeGuid(0x00063008);
inline constexpr IID kIID_MailItem = OfficeGuid(0x00063034);
inline constexpr IID kIID_AppointmentItem = OfficeGuid(0x00063033);
inline constexpr IID kIID_ContactItem = OfficeGuid(0x00063021);
inline constexpr IID kIID_JournalItem = OfficeGuid(0x00063022);
inline constexpr IID kIID_PostItem = OfficeGuid(0x00063024);
inline constexpr IID kIID_NoteItem = OfficeGuid(0x00063025);
inline constexpr IID kIID_TaskItem = OfficeGuid(0x00063035);
inline constexpr IID kDIID_InspectorsEvents = OfficeGuid(0x00063079);
inline constexpr IID kDIID_InspectorEvents = OfficeGuid(0x0006307D);
inline constexpr IID kDIID_InspectorEvents10 = OfficeGuid(0x0006302A); // InspectorEvents_10
inline constexpr IID kDIID_ExplorerEvents = OfficeGuid(0x0006304F);
inline constexpr IID kDIID_ExplorerEvents10 = OfficeGuid(0x0006300F); // ExplorerEvents_10

// Office command bars.
inline constexpr IID kIID_CommandBars = OfficeGuid(0x000C0302);
inline constexpr IID kIID_CommandBar = OfficeGuid(0x000C0304);
inline constexpr IID kIID_CommandBarControls = OfficeGuid(0x000C0306);
inline constexpr IID kIID_CommandBarControl = OfficeGuid(0x000C0308);
inline constexpr IID kIID_CommandBarPopup = OfficeGuid(0x000C030A);
inline constexpr IID kIID_CommandBarButton = OfficeGuid(0x000C030E);
inline constexpr IID kDIID_CommandBarButtonEvents = OfficeGuid(0x000C0351);

// The Office ribbon (2007 on).
inline constexpr IID kIID_IRibbonControl = OfficeGuid(0x000C0395);
inline constexpr IID kIID_IRibbonExtensibility = OfficeGuid(0x000C0396);

// Word, the mail editor.
inline constexpr IID kIID_WordApplication = OfficeGuid(0x00020970);
inline constexpr IID kIID_WordDocument = OfficeGuid(0x0002096B);
inline constexpr IID kIID_WordWindows = OfficeGuid(0x00020961);
inline constexpr IID kIID_WordWindow = OfficeGuid(0x00020962);
inline constexpr IID kIID_WordSelection = OfficeGuid(0x00020975);
inline constexpr IID kIID_WordRange = OfficeGuid(0x0002095E);

// The HTML editor's document.
inline constexpr IID kIID_IHTMLDocument2 = {
    0x332C4425, 0x26CB, 0x11D0, {0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19}};
inline constexpr IID kIID_IHTMLSelectionObject = {
    0x3050F25A, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};
inline constexpr IID kIID_IHTMLTxtRange = {
    0x3050F220, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};
inline constexpr IID kIID_IHTMLControlRange = {
    0x3050F29C, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

// Event identifiers that hostsim fires. Activate, Deactivate and Close are the same on the
// inspector's and the explorer's interfaces.
inline constexpr DISPID kDispNewInspector = 0xF001;
inline constexpr DISPID kDispActivate = 0xF001;
inline constexpr DISPID kDispDeactivate = 0xF006;
inline constexpr DISPID kDispClose = 0xF008;
inline constexpr DISPID kDispBeforeMaximize = 0xFA11;
inline constexpr DISPID kDispClick = 1;

// The name an event interface goes by in the record; an unknown one shows as its GUID.
std::wstring EventInterfaceName(REFIID iid);

} // namespace tessel::hostsim
