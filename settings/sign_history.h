#pragma once
// The quotation-sign history (TesselHistory.lst): one ANSI sign per line, oldest first, only
// ever appended to. Loading reads the newest part of the file into the dialog's list; each
// confirmation appends the signs the list does not hold yet.

#include "settings/string_list.h"

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tessel
{

// True when the path has at least 4 characters and names an existing file or folder.
bool FileExists(const std::string& path);

// Loading reads at most this much of the history file, its end: the newest signs are there. So
// a history of any size opens in bounded time and memory; the file itself is never shortened.
constexpr std::size_t kHistoryReadLimit = 1024 * 1024;

// A sign longer than this loads as several entries, one per piece, as a line reader with a
// 1024-byte buffer gives them.
constexpr std::size_t kHistoryPieceSize = 1023;

// Replaces the list's entries with the signs of the file's last kHistoryReadLimit bytes, newest
// first, each sign once. A line ends with CR LF, a lone LF or a lone CR; only the line end is
// removed, so a sign keeps its trailing blanks. A NUL byte ends the line's sign. A line longer
// than kHistoryPieceSize is cut into pieces of that size. Empty pieces and pieces of blanks,
// tabs, vertical tabs and form feeds only are skipped. Without a file the list is left as it
// was.
void LoadSignHistory(const std::string& path, CStringList& list);

// Appends sign + CR LF (after a CR LF of its own when the last line has no line end). True when
// written or when the sign is empty.
bool AppendSignToHistory(const std::string& path, const std::string& sign);

// On confirmation of the dialog: appends each sign that the list loaded at the start of the
// dialog run does not hold yet (to g_strHistoryPath) and adds it to the list's head. Empty signs
// and signs that loading would skip or cut (white space only, a line end, longer than a line
// piece) are left out.
// betweenSigns runs after the add sign is handled and before the remove sign is (the dialog
// writes its "QuoteLast" setting there).
void RememberSigns(CStringList& list, const std::string& addSign, const std::string& removeSign,
                   const std::function<void()>& betweenSigns = {});

// WriteFile's shape; tests pass a writer that fails part-way, as a full disk would.
using WriteFileFunction = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);

// Writes the bytes at the end of a file opened for writing, in one write. When the write fails
// or comes up short the file is cut back to its former length, so it never keeps part of them.
bool AppendWhole(HANDLE file, std::string_view bytes, WriteFileFunction write = WriteFile);

} // namespace tessel
