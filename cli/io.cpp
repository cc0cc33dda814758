#include "cli/io.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <new>

namespace tessel
{
namespace
{

constexpr std::size_t kFirstReadSize = 64 * 1024;

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string Describe(const std::string& file)
{
    return file.empty() || file == "-" ? "standard input" : "'" + file + "'";
}

bool ReadStream(std::FILE* stream, InputBytes& bytes)
{
    // A regular file is read into a block of its size (and one byte more, to see its end).
    struct stat info;
    std::size_t readSize = kFirstReadSize;
    if (fstat(fileno(stream), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        readSize = static_cast<std::size_t>(info.st_size) + 1;
    for (;;)
    {
        char* const into = bytes.Reserve(readSize);
        const std::size_t got = std::fread(into, 1, readSize, stream);
        bytes.Added(got);
        if (got < readSize)
            return !std::ferror(stream);
        readSize = bytes.View().size(); // doubles what is held
    }
}

int LastError()
{
    return errno != 0 ? errno : EIO;
}

} // namespace

char* InputBytes::Reserve(std::size_t count)
{
    if (m_capacity - m_size < count)
    {
        const std::size_t capacity = m_size + count;
        if (capacity < m_size)
            throw std::bad_alloc();
        void* const grown = std::realloc(m_data.get(), capacity);
        if (grown == nullptr)
            throw std::bad_alloc();
        m_data.release();
        m_data.reset(static_cast<char*>(grown));
        m_capacity = capacity;
    }
    return m_data.get() + m_size;
}

bool ReadAllInput(const std::string& file, InputBytes& bytes, std::string& error)
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
        error = "cannot read " + Describe(file) + ": " + std::strerror(LastError());
        return false;
    }
    return true;
}

OutputError::OutputError()
    : std::runtime_error(std::string("cannot write the output: ") + std::strerror(LastError()))
{
}

void StreamSink::Write(const char* bytes, std::size_t count)
{
    errno = 0;
    if (std::fwrite(bytes, 1, count, m_stream) != count)
        throw OutputError();
}

void FinishOutput(std::FILE* stream)
{
    errno = 0;
    if (std::fflush(stream) != 0 || std::ferror(stream))
        throw OutputError();
}

} // namespace tessel
