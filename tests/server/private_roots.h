#pragma once
// Two empty private keys that stand for HKEY_CLASSES_ROOT and HKEY_CURRENT_USER, so that tests
// of registration see only what they wrote themselves. Deleted with everything in them when the
// object goes away.

#include "server/registry_table.h"
#include "win/unique_handle.h"

#include <string>

namespace tessel::test
{

class PrivateRoots
{
  public:
    PrivateRoots();
    ~PrivateRoots();
    PrivateRoots(const PrivateRoots&) = delete;
    PrivateRoots& operator=(const PrivateRoots&) = delete;

    const RegistryRoots& Roots() const { return m_roots; }
    HKEY ClassesRoot() const { return m_classes.get(); }
    HKEY CurrentUser() const { return m_user.get(); }

  private:
    std::wstring m_path; // under HKEY_CURRENT_USER
    unique_hkey m_classes;
    unique_hkey m_user;
    RegistryRoots m_roots;
};

} // namespace tessel::test
