#pragma once
// The filter's input, read whole, and its output, written as it is made.

#include "cli/filter.h"

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tessel
{

// All of the input: a regular file is mapped into memory as it is, anything else is read into
// memory of our own that grows by remapping its pages, never by copying them, so that the input
// is never held twice. Both are advised into huge pages where the system has them: the first
// touch of each small page costs more than reading it.
class InputBytes
{
  public:
    InputBytes() = default;
    InputBytes(const InputBytes&) = delete;
    InputBytes& operator=(const InputBytes&) = delete;
    ~InputBytes();

    std::string_view View() const { return {m_data, m_size}; }

    // Maps a regular file of `size` bytes and holds its bytes from `from` on; false when the
    // system cannot.
    bool Map(int file, std::size_t size, std::size_t from);
    // Room for at least `count` more bytes after the ones held; throws std::bad_alloc.
    char* Reserve(std::size_t count);
    void Added(std::size_t count) { m_size += count; }

  private:
    char* m_base = nullptr;   // the mapping
    std::size_t m_mapped = 0; // its length
    char* m_data = nullptr;   // the bytes held, inside the mapping
    std::size_t m_size = 0;
};

// Reads all of a file ("" or "-": standard input). On failure returns false with a message
// that names the file; when memory runs out throws std::bad_alloc. A mapped file that shrinks
// while it is in use ends the program (see main).
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
