#pragma once
// Every resource and control id of the add-in's user interface. Shared by the .rc file (through
// windres, which reads only the #defines) and the C++ code.

// Dialog templates
#define IDD_QUOTE 106
#define IDD_ABOUT 107

// Icons and the animated cursor
#define IDI_TESSEL 201
#define IDI_ADDINS 202
#define IDI_WEB 203
#define IDR_TILES_CURSOR 204
#define RT_ANICURSORS_NAME "ANICURSORS"

// The Quote/Unquote dialog's keys: menu 205 names the two commands, table 206 binds them
#define IDR_QUOTE_COMMANDS 205
#define IDR_QUOTE_KEYS 206
#define ID_QUOTE_OK 0x8000
#define ID_QUOTE_CANCEL 0x8001

// Controls of the Quote/Unquote dialog
#define IDC_ADD_SIGN_LABEL 201
#define IDC_REMOVE_SIGN_LABEL 202
#define IDC_QUOTE_MODE 205
#define IDC_UNQUOTE_MODE 206
#define IDC_ADD_SIGN 207
#define IDC_WRAP_WIDTH 208
#define IDC_REMOVE_SIGN 209
#define IDC_UNQUOTE_LEVELS 210
#define IDC_CONFIRM 211
#define IDC_DISMISS 212

// Controls of the About dialog
#define IDC_ABOUT_TEXT 202
#define IDC_ABOUT_CLOSE 203
#define IDC_ABOUT_ANIMATION 204
#define IDC_PRODUCT_PAGE 205
#define IDC_ADDINS_PAGE 206

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Strings
#define IDS_WIDTH_RANGE 1001
#define IDS_LEVELS_RANGE 1002
#define IDS_ADD_SIGN_MISSING 1003
#define IDS_REMOVE_SIGN_MISSING 1004
#define IDS_ABOUT_TEXT 1101
#define IDS_PRODUCT_PAGE 1102
#define IDS_ADDINS_PAGE 1103
#define IDS_COMMAND_TITLE 1201
#define IDS_NO_SELECTION_TITLE 1202
#define IDS_EDIT_FIRST 1203
#define IDS_HTML_EDITOR_NEEDED 1204
#define IDS_NO_SELECTION 1205
#define IDS_OUT_OF_MEMORY_UNCHANGED 1206
#define IDS_FAILURE_UNCHANGED 1207
#define IDS_QUOTE_ITEM 1301
#define IDS_ABOUT_ITEM 1302
