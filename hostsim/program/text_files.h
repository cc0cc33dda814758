#pragma once
// The message file that the editor is filled from and the files the program writes, all
// UTF-8. Errors come back as one-line messages that name the file.

#include <string>

namespace tessel::hostsim
{

// Reads a whole file as strict UTF-8 (a leading byte-order mark is dropped). Invalid UTF-8 is
// reported with the byte offset of the first bad sequence.
bool ReadUtf8File(const std::wstring& path, std::wstring& text, std::wstring& error);

// Writes bytes as the whole new content of a file.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes, std::wstring& error);

// The UTF-8 form of UTF-16 text.
std::string ToUtf8(const std::wstring& text);

} // namespace tessel::hostsim
