#pragma once
// The settings file: one section of key=value lines read and written through the platform's
// private-profile functions. Paths and values are ANSI. Strings are written inside double
// quotes, so that blanks at their ends survive the reader's trimming; numbers are written bare.

#include <string>

namespace tessel
{

std::string IniReadString(const char* section, const char* key, const std::string& defaultValue,
                          const std::string& path);
int IniReadInt(const char* section, const char* key, int defaultValue, const std::string& path);
void IniWriteString(const char* section, const char* key, const std::string& value,
                    const std::string& path);
void IniWriteInt(const char* section, const char* key, int value, const std::string& path);

} // namespace tessel
