#include "settings/ini_file.h"

#include <windows.h>

#include <climits>
#include <string_view>

namespace tessel
{
namespace
{

// A 256-byte buffer read with a size limit of 255: at most 254 characters come back.
constexpr DWORD kValueBufferSize = 256;
constexpr DWORD kValueSizeLimit = 255;

// The C locale's white space; the value comes from a file, not from the user's locale.
bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The number at the start of a text: white space skipped, an optional + or -, then decimal
// digits up to the first other character. No digits give 0. A number beyond the range of int
// saturates at INT_MAX or INT_MIN, so an absurd stored width stays absurd instead of wrapping
// round into a plausible one.
int ParseLeadingInteger(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && IsCSpace(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';

    // The magnitude is capped at the limit of its sign, so it never overflows long long.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos)
    {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

void WriteValue(const char* section, const char* key, const std::string& value,
                const std::string& path)
{
    if (path.empty())
        return;
    // A failed write is not reported: the dialog carries on as if it had succeeded.
    WritePrivateProfileStringA(section, key, value.c_str(), path.c_str());
}

} // namespace

std::string IniReadString(const char* section, const char* key, const std::string& defaultValue,
                          const std::string& path)
{
    // An empty path means no settings file was set up; the platform would take it as a name in
    // the Windows folder.
    if (path.empty())
        return defaultValue.substr(0, kValueSizeLimit - 1);
    // The last byte is never written, so the buffer always holds a terminated string.
    char buffer[kValueBufferSize] = {};
    GetPrivateProfileStringA(section, key, defaultValue.c_str(), buffer, kValueSizeLimit,
                             path.c_str());
    return buffer;
}

int IniReadInt(const char* section, const char* key, int defaultValue, const std::string& path)
{
    // Read as text with the default's text as default, so that a key with an empty value reads
    // as 0 and only an absent key gives the default.
    return ParseLeadingInteger(IniReadString(section, key, std::to_string(defaultValue), path));
}

void IniWriteString(const char* section, const char* key, const std::string& value,
                    const std::string& path)
{
    // The reader trims blanks around a value and then removes one pair of quotes around it, so a
    // quoted value comes back exactly: "> " keeps its blank, '"a"' its quotes. Values written
    // unquoted before read as they always did.
    WriteValue(section, key, '"' + value + '"', path);
}

void IniWriteInt(const char* section, const char* key, int value, const std::string& path)
{
    WriteValue(section, key, std::to_string(value), path); // as "%d" formats it
}

} // namespace tessel
