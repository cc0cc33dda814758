#include "engine/quote_text.h"
#include "engine/text_block.h"
#include "tests/engine/text_block_print.h"

#include <gtest/gtest.h>

#include <utility>

namespace tessel
{
namespace
{

// A block moved from must not keep the size of units it no longer holds.
TEST(TextBlock, MovedFromIsEmpty)
{
    TextBlock quoted = QuoteText(u"one\r\ntwo", u"> ", 60);
    TextBlock moved(std::move(quoted));
    EXPECT_TRUE(quoted.empty());
    EXPECT_EQ(quoted, u"");
    EXPECT_EQ(moved, u"> one\r\n> two\r\n> ");

    TextBlock assigned(u"old");
    assigned = std::move(moved);
    EXPECT_TRUE(moved.empty());
    EXPECT_EQ(assigned, u"> one\r\n> two\r\n> ");
}

} // namespace
} // namespace tessel
