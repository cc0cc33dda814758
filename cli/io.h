#pragma once
// The filter's input, read whole, and its output, written as it is made.

#include "cli/filter.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tessel
{

// Bytes in a block from malloc that grows with realloc: a large block is moved by remapping
// its pages, not by copying them, so reading a pipe never holds the input twice.
class InputBytes
{
  public:
    std::string_view View() const { return {m_data.get(), m_size}; }
    // Room for at least `count` more bytes after the ones held; throws std::bad_alloc.
    char* Reserve(std::size_t count);
    void Added(std::size_t count) { m_size += count; }

  private:
    struct Free
    {
        void operator()(char* data) const { std::free(data); }
    };
    std::unique_ptr<char, Free> m_data;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

// Reads all of a file ("" or "-": standard input). On failure returns false with a message
// that names the file; when memory runs out throws std::bad_alloc.
bool ReadAllInput(const std::string& file, InputBytes& bytes, std::string& error);

// A failed write, with its message.
class OutputError : public std::runtime_error
{
  public:
    OutputError();
};

// Writes to a stream; a failed write throws OutputError.
class StreamSink : public ByteSink
{
  public:
    explicit StreamSink(std::FILE* stream) : m_stream(stream) {}
    void Write(const char* bytes, std::size_t count) override;

  private:
    std::FILE* m_stream;
};

// Flushes the stream; throws OutputError if it or any write before failed.
void FinishOutput(std::FILE* stream);

} // namespace tessel
