#include "settings/data_paths.h"
#include "settings/sign_history.h"

namespace tessel
{
namespace
{

// Whether the append worked is not looked at: the sign joins the list either way, so one new
// sign in both boxes is written once.
void RememberSign(CStringList& list, const std::string& sign)
{
    if (sign.empty() || list.Contains(sign))
        return;
    AppendSignToHistory(g_strHistoryPath, sign);
    list.AddHead(sign);
}

} // namespace

void RememberSigns(CStringList& list, const std::string& addSign, const std::string& removeSign,
                   const std::function<void()>& betweenSigns)
{
    RememberSign(list, addSign);
    if (betweenSigns)
        betweenSigns();
    RememberSign(list, removeSign);
}

} // namespace tessel
