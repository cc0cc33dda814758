#pragma once
// A fresh, empty folder under the system's temporary folder, deleted with everything in it
// when the object goes away. Paths are ANSI, as the product's file functions take them.

#include <string>

namespace tessel::test
{

class TempFolder
{
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's full path, ending in a backslash.
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + name; }

  private:
    std::string m_path;
};

// Whole-file helpers for checking what the product wrote, byte for byte.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

} // namespace tessel::test
