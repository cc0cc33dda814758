// The resources as the module carries them: the animated cursor read chunk by chunk in the
// published RIFF "ACON" layout, the icons' sizes and colour depths, and the range messages.

#include "engine/quote_limits.h"
#include "ui/framework/resource_module.h"
#include "ui/resource.h"
#include "win/this_module.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace tessel
{
namespace
{

std::string ResourceBytes(LPCSTR type, UINT id)
{
    const HMODULE module = ThisModule();
    const HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (resource == nullptr)
        return {};
    const void* bytes = LockResource(LoadResource(module, resource));
    return std::string(static_cast<const char*>(bytes), SizeofResource(module, resource));
}

std::uint32_t U32(const std::string& data, std::size_t at)
{
    std::uint32_t value = 0;
    std::memcpy(&value, data.data() + at, sizeof value);
    return value;
}

std::uint16_t U16(const std::string& data, std::size_t at)
{
    std::uint16_t value = 0;
    std::memcpy(&value, data.data() + at, sizeof value);
    return value;
}

struct Chunk
{
    std::string tag;
    std::string data;
};

// The chunks of a RIFF list body (after its form type); sizes are checked against the data.
std::vector<Chunk> ReadChunks(const std::string& body)
{
    std::vector<Chunk> chunks;
    std::size_t at = 0;
    while (at + 8 <= body.size())
    {
        const std::uint32_t size = U32(body, at + 4);
        if (size > body.size() - at - 8)
            throw std::runtime_error("chunk " + body.substr(at, 4) + " runs past its list");
        chunks.push_back({body.substr(at, 4), body.substr(at + 8, size)});
        at += 8 + size + (size & 1);
    }
    if (at != body.size())
        throw std::runtime_error("bytes left after the last chunk");
    return chunks;
}

TEST(AnimatedCursorResource, IsAnAconOfNineIconFramesWithTheRatesOfItsSteps)
{
    const std::string ani = ResourceBytes(RT_ANICURSORS_NAME, IDR_TILES_CURSOR);
    ASSERT_GE(ani.size(), 12u);
    ASSERT_EQ(ani.substr(0, 4), "RIFF");
    ASSERT_EQ(U32(ani, 4), ani.size() - 8);
    ASSERT_EQ(ani.substr(8, 4), "ACON");

    std::map<std::string, std::string> chunks;
    std::vector<std::string> frames;
    for (const Chunk& chunk : ReadChunks(ani.substr(12)))
    {
        if (chunk.tag == "LIST" && chunk.data.substr(0, 4) == "fram")
        {
            for (const Chunk& frame : ReadChunks(chunk.data.substr(4)))
            {
                EXPECT_EQ(frame.tag, "icon");
                frames.push_back(frame.data);
            }
        }
        chunks[chunk.tag] = chunk.data;
    }
    EXPECT_EQ(chunks.count("seq "), 0u) << "the steps show the frames in order";

    const std::string& header = chunks["anih"];
    ASSERT_EQ(header.size(), 36u);
    const std::uint32_t kIconFlag = 1, kSequenceFlag = 2;
    EXPECT_EQ(U32(header, 0), 36u);        // cbSize
    EXPECT_EQ(U32(header, 4), 9u);         // frames
    EXPECT_EQ(U32(header, 8), 9u);         // steps
    EXPECT_EQ(U32(header, 20), 4u);        // bits per pixel
    EXPECT_EQ(U32(header, 24), 1u);        // planes
    EXPECT_EQ(U32(header, 28), 10u);       // default rate in jiffies
    EXPECT_EQ(U32(header, 32), kIconFlag); // icon-format frames, no sequence
    EXPECT_EQ(U32(header, 32) & kSequenceFlag, 0u);

    const std::string& rate = chunks["rate"];
    ASSERT_EQ(rate.size(), 9 * 4u);
    for (std::size_t step = 0; step < 9; ++step)
        EXPECT_EQ(U32(rate, step * 4), step < 8 ? 10u : 400u) << "step " << step;

    ASSERT_EQ(frames.size(), 9u);
    for (std::size_t i = 0; i < frames.size(); ++i)
    {
        SCOPED_TRACE("frame " + std::to_string(i));
        const std::string& cur = frames[i];
        ASSERT_GE(cur.size(), 6u + 16u + 40u);
        EXPECT_EQ(U16(cur, 2), 2u); // a cursor file
        EXPECT_EQ(U16(cur, 4), 1u); // of one image
        EXPECT_EQ(static_cast<unsigned char>(cur[6]), 32u);
        EXPECT_EQ(static_cast<unsigned char>(cur[7]), 32u);
        EXPECT_EQ(static_cast<unsigned char>(cur[8]), 16u); // colours
        EXPECT_EQ(U16(cur, 10), 0u);                        // hot spot x
        EXPECT_EQ(U16(cur, 12), 0u);                        // hot spot y
        const std::uint32_t offset = U32(cur, 18);
        ASSERT_EQ(offset + U32(cur, 14), cur.size());
        EXPECT_EQ(U32(cur, offset + 4), 32u); // width
        EXPECT_EQ(U32(cur, offset + 8), 64u); // height of image and mask
        EXPECT_EQ(U16(cur, offset + 14), 4u); // bits per pixel
    }
}

TEST(IconResources, Are32By32With256Colours)
{
    for (const UINT id : {IDI_TESSEL, IDI_ADDINS, IDI_WEB})
    {
        SCOPED_TRACE("icon " + std::to_string(id));
        // A group icon resource: a 6-byte header, then 14-byte entries.
        const std::string group = ResourceBytes(MAKEINTRESOURCEA(14), id); // RT_GROUP_ICON
        ASSERT_EQ(group.size(), 6u + 14u);
        EXPECT_EQ(U16(group, 2), 1u);
        EXPECT_EQ(static_cast<unsigned char>(group[6]), 32u);
        EXPECT_EQ(static_cast<unsigned char>(group[7]), 32u);
        EXPECT_EQ(static_cast<unsigned char>(group[8]), 0u); // 0 means 256 colours
        EXPECT_EQ(U16(group, 12), 8u);                       // bits per pixel
        EXPECT_NE(LoadIconW(ThisModule(), MAKEINTRESOURCEW(id)), nullptr);
    }
}

// The texts are written in the string table; the limits the dialog checks, in the code.
TEST(RangeMessages, NameTheLimitsTheDialogChecks)
{
    const struct
    {
        UINT id;
        IntRange range;
    } messages[] = {{IDS_WIDTH_RANGE, kWrapWidthRange}, {IDS_LEVELS_RANGE, kUnquoteLevelsRange}};
    for (const auto& message : messages)
    {
        EXPECT_EQ(LoadResourceString(message.id),
                  L"Please enter the number in between " + std::to_wstring(message.range.first) +
                      L" and " + std::to_wstring(message.range.last) + L".");
    }
}

} // namespace
} // namespace tessel
