#include "ui/animated_cursor.h"

#include "tests/support/temp_folder.h"
#include "tests/ui/scoped_temp_path.h"
#include "ui/resource.h"

#include <gtest/gtest.h>

namespace tessel
{
namespace
{

using namespace tessel::test;

struct CursorCase
{
    const char* name;
    UINT resourceId;
    bool tempFolderExists;
    bool loads;
};

class LoadAnimatedCursorTest : public testing::TestWithParam<CursorCase>
{
};

TEST_P(LoadAnimatedCursorTest, GivesTheCursorOrNullAndLeavesNoTemporaryFile)
{
    const CursorCase& c = GetParam();
    TempFolder folder;
    const std::string tempPath = c.tempFolderExists ? folder.Path() : folder.File("missing\\");
    {
        const ScopedTempPath redirect(tempPath);
        const unique_hcursor cursor = LoadAnimatedCursor(c.resourceId);
        EXPECT_EQ(cursor.is_valid(), c.loads);
    }
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{});
}

const CursorCase kCursorCases[] = {
    {"TheDialogsCursor", IDR_TILES_CURSOR, true, true},
    {"MissingResource", 4321, true, false},
    {"ResourceOfAnotherType", IDI_TESSEL, true, false}, // an icon, not an "ANICURSORS"
    {"NoTemporaryFolder", IDR_TILES_CURSOR, false, false},
};

INSTANTIATE_TEST_SUITE_P(Cases, LoadAnimatedCursorTest, testing::ValuesIn(kCursorCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessel
