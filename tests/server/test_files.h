#pragma once
// Files that the build puts beside the server's test program, and a type library registered for
// the length of a test.

#include "win/com.h"

#include <string>

namespace tessel::test
{

// The full path of a file in the test program's folder.
std::wstring BesideTestProgram(const wchar_t* name);

// Registers the type library file for as long as the object lives.
class RegisteredTypeLib
{
  public:
    explicit RegisteredTypeLib(const std::wstring& path);
    ~RegisteredTypeLib();
    RegisteredTypeLib(const RegisteredTypeLib&) = delete;
    RegisteredTypeLib& operator=(const RegisteredTypeLib&) = delete;

    HRESULT Status() const { return m_status; }

  private:
    HRESULT m_status = E_FAIL;
    ComPtr<ITypeLib> m_library;
};

} // namespace tessel::test
