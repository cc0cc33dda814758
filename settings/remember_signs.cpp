#include "settings/data_paths.h"
#include "settings/history_signs.h"
#include "settings/sign_history.h"

namespace tessel
{
namespace
{

// Whether the append worked is not looked at: the sign joins the list either way, so one new
// sign in both boxes is written once. A sign that loading would skip or cut is not written at
// all: it would never be found again, and be appended anew at every use.
void RememberSign(CStringList& list, const std::string& sign)
{
    if (!LoadsBackWhole(sign) || list.Contains(sign))
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
