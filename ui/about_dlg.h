#pragma once
// The About dialog: the product's title, version and licence, a small animation, and two
// buttons that open web pages. Only its Close button ends it.

#include "ui/framework/dialog.h"
#include "ui/framework/static_control.h"
#include "ui/resource.h"
#include "win/unique_handle.h"

namespace tessel
{

class CAboutDlg : public CDialog
{
  public:
    enum
    {
        IDD = IDD_ABOUT
    };

    CAboutDlg();
    ~CAboutDlg() override;

    // The animation in the icon control IDC_ABOUT_ANIMATION; null before the dialog opened or
    // when it could not be made.
    HCURSOR GetAnimatedCursor() const { return m_hCursor.get(); }

  protected:
    const MessageMap& GetMessageMap() const override;
    void DoDataExchange() override;
    BOOL PreTranslateMessage(MSG* message) override;
    BOOL OnInitDialog() override;

  private:
    void Ignore() {}
    void OnCloseButton() { EndDialog(IDOK); }
    void OnProductPage();
    void OnAddinsPage();

    unique_hcursor m_hCursor;
    CStatic m_stAnimation;
};

} // namespace tessel
