#pragma once
// The host's application object, which the add-in receives at connection: Version, Inspectors,
// ActiveExplorer and ActiveInspector. It holds the explorer and the inspectors; nothing below it
// holds it, so releasing it (and the add-in's references) frees the whole tree.

#include "hostsim/automation_object.h"

namespace tessel::hostsim
{

class Explorer;
class Inspectors;
class WordApplication;

class Application final : public Automation<Application>
{
  public:
    explicit Application(std::shared_ptr<HostState> state);
    static MemberTable<Application> Members();

    Explorer& MainExplorer() const { return *m_explorer.Get(); }
    // After the main window closed, ActiveExplorer gives no object.
    bool ExplorerOpen() const { return m_explorerOpen; }
    void ExplorerClosed() { m_explorerOpen = false; }
    Inspectors& AllInspectors() const { return *m_inspectors.Get(); }
    // Word, the editor of the messages written in it.
    WordApplication& Word() const { return *m_word.Get(); }

  private:
    ~Application() override;
    HRESULT GetVersion(const Arguments& arguments, _variant_t* result);
    HRESULT GetInspectors(const Arguments& arguments, _variant_t* result);
    HRESULT GetActiveExplorer(const Arguments& arguments, _variant_t* result);
    HRESULT GetActiveInspector(const Arguments& arguments, _variant_t* result);

    ComPtr<Explorer> m_explorer;
    ComPtr<Inspectors> m_inspectors;
    ComPtr<WordApplication> m_word;
    bool m_explorerOpen = true;
};

} // namespace tessel::hostsim
