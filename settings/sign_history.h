#pragma once
// The quotation-sign history: one sign per line, oldest first, only ever appended to.

#include "settings/string_list.h"

#include <cstddef>
#include <functional>
#include <string>

namespace tessel
{

// True when the path has at least 4 characters and names an existing file or folder.
bool FileExists(const std::string& path);

// Loading reads at most this much of the history file, its end: the newest signs are there. So
// a history of any size opens in bounded time and memory; the file itself is never shortened.
constexpr std::size_t kHistoryReadLimit = 1024 * 1024;

// Replaces the list's entries with the signs of the file's last kHistoryReadLimit bytes, newest
// first, each sign once. Without a file the list is left as it was.
void LoadSignHistory(const std::string& path, CStringList& list);

// Appends sign + CR LF. True when written or when the sign is empty.
bool AppendSignToHistory(const std::string& path, const std::string& sign);

// On confirmation of the dialog: appends each sign that the list loaded at the start of the
// dialog run does not hold yet (to g_strHistoryPath) and adds it to the list's head. Empty signs
// and signs that loading would skip or cut (white space only, a line end, longer than a line
// piece) are left out.
// betweenSigns runs after the add sign is handled and before the remove sign is (the dialog
// writes its "QuoteLast" setting there).
void RememberSigns(CStringList& list, const std::string& addSign, const std::string& removeSign,
                   const std::function<void()>& betweenSigns = {});

} // namespace tessel
