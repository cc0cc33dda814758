#pragma once

#include <cstddef>
#include <string>

namespace tessel
{

// Reads the last maxBytes bytes of a file (all of it when it is smaller), sharing it with readers
// and writers. When the read starts inside the file, the line cut by the start is dropped, so
// the bytes begin at the start of a line. False when the file cannot be opened; a read that fails
// on the way ends the bytes there, as a line reader would.
bool ReadFileTail(const std::string& path, std::size_t maxBytes, std::string& bytes);

} // namespace tessel
