#include "cli/io.h"

#include "cli/utf8.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace tessel
{
namespace
{

constexpr std::size_t kChunkUnits = 64 * 1024;

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string Describe(const std::string& file)
{
    return file.empty() || file == "-" ? "standard input" : "'" + file + "'";
}

bool ReadStream(std::FILE* stream, std::string& bytes)
{
    struct stat info;
    if (fstat(fileno(stream), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(info.st_size) + 1);
    char buffer[64 * 1024];
    for (;;)
    {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, stream);
        bytes.append(buffer, got);
        if (got < sizeof buffer)
            return !std::ferror(stream);
    }
}

bool WriteFailed(std::string& error)
{
    error = std::string("cannot write the output: ") + std::strerror(errno ? errno : EIO);
    return false;
}

} // namespace

bool ReadAllInput(const std::string& file, std::string& bytes, std::string& error)
{
    std::unique_ptr<std::FILE, FileCloser> opened;
    std::FILE* stream = stdin;
    if (!file.empty() && file != "-")
    {
        opened.reset(std::fopen(file.c_str(), "rb"));
        if (!opened)
        {
            error = "cannot open " + Describe(file) + ": " + std::strerror(errno);
            return false;
        }
        stream = opened.get();
    }
    errno = 0;
    if (!ReadStream(stream, bytes))
    {
        error = "cannot read " + Describe(file) + ": " + std::strerror(errno ? errno : EIO);
        return false;
    }
    return true;
}

bool WriteUtf8(std::FILE* stream, std::u16string_view text, bool lfLineEnds, std::string& error)
{
    std::string chunk;
    for (std::size_t pos = 0; pos < text.size();)
    {
        std::size_t end = std::min(text.size(), pos + kChunkUnits);
        // Keep a surrogate pair and a CR LF within one chunk.
        if (end < text.size() &&
            (text[end - 1] == u'\r' || (text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF)))
            ++end;
        std::u16string_view piece = text.substr(pos, end - pos);
        chunk.clear();
        if (lfLineEnds)
        {
            for (std::size_t from = 0; from < piece.size();)
            {
                const std::size_t crlf = piece.find(u"\r\n", from);
                const std::size_t stop = crlf == std::u16string_view::npos ? piece.size() : crlf;
                AppendUtf8(piece.substr(from, stop - from), chunk);
                if (crlf == std::u16string_view::npos)
                    break;
                chunk.push_back('\n');
                from = crlf + 2;
            }
        }
        else
        {
            AppendUtf8(piece, chunk);
        }
        errno = 0;
        if (std::fwrite(chunk.data(), 1, chunk.size(), stream) != chunk.size())
            return WriteFailed(error);
        pos = end;
    }
    errno = 0;
    if (std::fflush(stream) != 0 || std::ferror(stream))
        return WriteFailed(error);
    return true;
}

} // namespace tessel
