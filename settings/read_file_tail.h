#pragma once

#include <string>

namespace tessel
{

// Reads the file's bytes as they are, sharing it with readers and writers. False when the file
// cannot be opened; a read that fails on the way ends the bytes there, as a line reader would.
bool ReadWholeFile(const std::string& path, std::string& bytes);

} // namespace tessel
