#pragma once
// Text to standard output and standard error: UTF-16 to a console, UTF-8 bytes to anything
// else (a file, a pipe, Wine's Unix terminal), so that the transcript keeps every character.

#include <string>

namespace tessel::hostsim
{

void PrintOut(const std::wstring& text);
void PrintError(const std::wstring& text);

} // namespace tessel::hostsim
