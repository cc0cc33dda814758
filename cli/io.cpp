#include "cli/io.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <new>

namespace tessel
{
namespace
{

constexpr std::size_t kFirstReadSize = 2 * 1024 * 1024;

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
    struct stat info;
    const int file = fileno(stream);
    const bool regular = fstat(file, &info) == 0 && S_ISREG(info.st_mode);
    if (regular && info.st_size > 0)
    {
        // Standard input may stand anywhere in the file (a script can have read some of it):
        // the input is the rest, and it is used up as a read would use it up.
        const off_t offset = lseek(file, 0, SEEK_CUR);
        if (offset >= 0 && offset < info.st_size &&
            bytes.Map(file, static_cast<std::size_t>(info.st_size),
                      static_cast<std::size_t>(offset)))
        {
            lseek(file, 0, SEEK_END);
            return true;
        }
    }
    // A regular file that cannot be mapped is read into a block of its size (and one byte more,
    // to see its end).
    std::size_t readSize =
        regular && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : kFirstReadSize;
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

InputBytes::~InputBytes()
{
    if (m_base != nullptr)
        munmap(m_base, m_mapped);
}

bool InputBytes::Map(int file, std::size_t size, std::size_t from)
{
    void* const mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, file, 0);
    if (mapped == MAP_FAILED)
        return false;
    m_base = static_cast<char*>(mapped);
    m_mapped = size;
    m_data = m_base + from;
    m_size = size - from;
    madvise(m_base, size, MADV_HUGEPAGE);
    return true;
}

char* InputBytes::Reserve(std::size_t count)
{
    if (m_mapped - m_size < count)
    {
        const std::size_t capacity = m_size + count;
        if (capacity < m_size)
            throw std::bad_alloc();
        void* const grown = m_data == nullptr ? mmap(nullptr, capacity, PROT_READ | PROT_WRITE,
                                                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                                              : mremap(m_data, m_mapped, capacity, MREMAP_MAYMOVE);
        if (grown == MAP_FAILED)
            throw std::bad_alloc();
        m_data = static_cast<char*>(grown);
        m_mapped = capacity;
        madvise(m_data, m_mapped, MADV_HUGEPAGE);
    }
    return m_data + m_size;
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
