#include "settings/sign_history.h"

#include "tests/support/temp_folder.h"

#include "win/unique_handle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessel
{
namespace
{

using Signs = std::vector<std::string>;

Signs Entries(const CStringList& list)
{
    return Signs(list.begin(), list.end());
}

struct LoadCase
{
    const char* name;
    std::string file;
    Signs expected; // newest first
};

class LoadSignHistoryOf : public testing::TestWithParam<LoadCase>
{
};

TEST_P(LoadSignHistoryOf, ListsTheSignsNewestFirst)
{
    test::TempFolder folder;
    const std::string path = folder.File("TesselHistory.lst");
    test::WriteFileBytes(path, GetParam().file);
    CStringList list;
    list.AddHead("left over");

    LoadSignHistory(path, list);

    EXPECT_EQ(Entries(list), GetParam().expected);
}

const std::string k1022(1022, 'a');
const std::string k1023(1023, 'a');

const LoadCase kLoadCases[] = {
    {"EmptyFile", "", {}},
    {"TwoLines", ">\r\n|\r\n", {"|", ">"}},
    {"TrailingBlankKept", "> \r\n", {"> "}},
    {"TrailingTabKept", ">\t\r\n", {">\t"}},
    {"LeadingBlankKept", " >\r\n", {" >"}},
    {"BlankAndWhiteSpaceLinesSkipped", "\r\n   \r\n>\r\n\t \v\f\r\n\r\n", {">"}},
    {"DuplicatesOnceWhereNewestUsed", ">\r\n|\r\n>\r\n|\r\n#\r\n", {"#", "|", ">"}},
    {"DuplicatesCompareExactly", "a:\r\nA:\r\na:\r\n", {"a:", "A:"}},
    // A NUL ends the sign as the dialog shows it; the rest of its line is ignored.
    {"NulEndsTheSign", std::string(">\0tail\r\n|\0\r\n>\r\n", 15), {">", "|"}},
    {"NulFirstSkipsTheLine", std::string("\0>\r\n|", 5), {"|"}},
    {"LastLineWithoutLineEnd", ">\r\n|", {"|", ">"}},
    {"LoneLf", ">\n|\n", {"|", ">"}},
    {"LoneCr", ">\r|\r", {"|", ">"}},
    {"CrBeforeCrLf", ">\r\r\n|", {"|", ">"}},
    {"LfCr", ">\n\r|", {"|", ">"}},
    // No end-of-file mark: a Ctrl-Z is a byte of the sign like any other.
    {"CtrlZIsOrdinary", ">\x1a\r\n|", {"|", ">\x1a"}},
    // Line ends are removed before a line is cut into pieces, so a CR LF that straddles the
    // 1023rd byte neither splits nor makes an entry of its own.
    {"CrLfStraddlingPieceEnd", k1022 + "\r\n>", {">", k1022}},
    {"LineOfOnePieceExactly", k1023 + "\r\n>", {">", k1023}},
    {"LineOneByteOverAPiece", k1023 + "b\r\n", {"b", k1023}},
    {"PieceOfBlanksSkipped", k1023 + "  \r\n", {k1023}},
    {"PieceEndingInBlankKept", k1022 + " b\r\n", {"b", k1022 + " "}},
    {"LineOf3000Bytes",
     std::string(1023, 'a') + std::string(1023, 'b') + std::string(954, 'c') + "\r\n",
     {std::string(954, 'c'), std::string(1023, 'b'), std::string(1023, 'a')}},
};
INSTANTIATE_TEST_SUITE_P(Files, LoadSignHistoryOf, testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A history of any size: only its end is read, from the first whole line in it on, and the file
// is left as it is.
TEST(LoadSignHistory, ReadsTheWholeLinesOfTheFilesEndOnly)
{
    test::TempFolder folder;
    const std::string path = folder.File("TesselHistory.lst");
    struct Start
    {
        int offset; // where the read starts, counted from the "f" of "first"
        Signs expected;
    };
    const Start starts[] = {
        {-2, {">", "first"}},             // inside "old", which is dropped
        {-1, {">", "first"}},             // between CR and LF
        {0, {">", "first"}},  {1, {">"}}, // inside "first", which is dropped
        {6, {">"}},                       // between CR and LF again
    };
    for (const Start& start : starts)
    {
        // The bytes from "first" on are the read's length plus the offset.
        const std::size_t blanks = kHistoryReadLimit - 12 + start.offset;
        const std::string file = "old\r\nfirst\r\n" + std::string(blanks, ' ') + "\r\n>\r\n";
        test::WriteFileBytes(path, file);
        CStringList list;
        LoadSignHistory(path, list);
        EXPECT_EQ(Entries(list), start.expected) << "offset " << start.offset;
        EXPECT_EQ(test::ReadFileBytes(path), file);
    }
}

TEST(LoadSignHistory, WithoutAFileLeavesTheListAsItWas)
{
    test::TempFolder folder;
    for (const std::string& path : {folder.File("TesselHistory.lst"), std::string()})
    {
        CStringList list;
        list.AddHead("kept");
        LoadSignHistory(path, list);
        EXPECT_EQ(Entries(list), Signs{"kept"}) << '"' << path << '"';
    }
}

TEST(LoadSignHistory, AnEntryThatCannotBeReadEmptiesTheList)
{
    test::TempFolder folder;
    const std::string locked = folder.File("TesselHistory.lst");
    test::WriteFileBytes(locked, ">\r\n");
    const unique_hfile holder(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    ASSERT_TRUE(CreateDirectoryA(folder.File("Folder.lst").c_str(), nullptr));

    for (const std::string& path : {locked, folder.File("Folder.lst")})
    {
        CStringList list;
        list.AddHead("stale");
        LoadSignHistory(path, list);
        EXPECT_TRUE(list.IsEmpty()) << path;
    }
}

} // namespace
} // namespace tessel
