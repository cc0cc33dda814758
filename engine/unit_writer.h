#pragma once
// Writing the result out: signs, pieces and line ends copied a few dozen units at a time into a
// buffer, either the result block itself (the add-in's text) or a small buffer that is handed
// to a sink when full (the filter's output, which is never held whole).

#include "engine/text_block.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace tessel
{

// Room that every buffer keeps beyond what is asked for: a short run is copied as a fixed 128
// bytes, more than it needs, and what lies beyond it is overwritten by what comes next. A copy
// of one length every time is the fastest there is.
template <class Unit> constexpr std::size_t kOvercopyUnits = 128 / sizeof(Unit);

// Copies count units that may be read up to readableEnd to `to`, which has kOvercopyUnits of room
// beyond them.
template <class Unit>
void CopyRun(Unit* to, const Unit* from, std::size_t count, const Unit* readableEnd)
{
    if (count <= kOvercopyUnits<Unit> &&
        static_cast<std::size_t>(readableEnd - from) >= kOvercopyUnits<Unit>)
    {
        std::memcpy(to, from, sizeof(Unit) * kOvercopyUnits<Unit>);
        return;
    }
    // Sixteen bytes at a time, the last sixteen overlapping the ones before.
    constexpr std::size_t kChunk = 16 / sizeof(Unit);
    if (count < kChunk)
    {
        for (std::size_t i = 0; i < count; ++i)
            to[i] = from[i];
        return;
    }
    for (std::size_t i = 0; i + kChunk < count; i += kChunk)
        std::memcpy(to + i, from + i, 16);
    std::memcpy(to + count - kChunk, from + count - kChunk, 16);
}

// A few units written together after every piece (a line end and a sign), held in a block of
// kBlockUnits with room to spare, so that they are copied as one fixed 16 bytes.
template <class Unit> class ShortUnits
{
  public:
    static constexpr std::size_t kBlockUnits = 16 / sizeof(Unit);

    ShortUnits(std::basic_string_view<Unit> first, std::basic_string_view<Unit> second)
        : m_units(std::basic_string<Unit>(first).append(second)), m_size(m_units.size())
    {
        m_units.resize(std::max(m_size, kBlockUnits));
    }

    std::basic_string_view<Unit> View() const { return {m_units.data(), m_size}; }
    // Whether they fit one block.
    bool Short() const { return m_size <= kBlockUnits; }
    const Unit* Block() const { return m_units.data(); }

  private:
    std::basic_string<Unit> m_units;
    std::size_t m_size;
};

// Buffer: Unit* Room(count) gives room for count units (and kOvercopyUnits more), or null when
// count is more than it can ever hold, after which PassThrough(units, count) takes them;
// Advance(count) keeps what was written there. PutFollowedBy also needs RoomAtHand(count):
// that room where the buffer has it without growing or flushing, else null.
template <class Unit, class Buffer> class UnitWriter : public Buffer
{
  public:
    template <class... Args>
    explicit UnitWriter(Args&&... args) : Buffer(std::forward<Args>(args)...)
    {
    }

    void Put(const Unit* units, std::size_t count, const Unit* readableEnd)
    {
        if (Unit* const to = Buffer::Room(count))
        {
            CopyRun(to, units, count, readableEnd);
            Buffer::Advance(count);
        }
        else
            Buffer::PassThrough(units, count);
    }

    // For signs and line ends, a few units long: a loop beats a call to memcpy.
    void PutShort(std::basic_string_view<Unit> units)
    {
        if (Unit* const to = Buffer::Room(units.size()))
        {
            std::copy(units.begin(), units.end(), to);
            Buffer::Advance(units.size());
        }
        else
            Buffer::PassThrough(units.data(), units.size());
    }

    // A run followed by short units, with one check for room. The usual case, room at hand,
    // makes no call: values kept across one would cost every piece saving registers.
    void PutFollowedBy(const Unit* units, std::size_t count, const Unit* readableEnd,
                       const ShortUnits<Unit>& after)
    {
        Unit* const to =
            after.Short() ? Buffer::RoomAtHand(count + ShortUnits<Unit>::kBlockUnits) : nullptr;
        if (to == nullptr)
        {
            PutThenShort(units, count, readableEnd, after.View());
            return;
        }
        CopyRun(to, units, count, readableEnd);
        std::memcpy(to + count, after.Block(), 16);
        Buffer::Advance(count + after.View().size());
    }

  private:
    __attribute__((noinline)) void PutThenShort(const Unit* units, std::size_t count,
                                                const Unit* readableEnd,
                                                std::basic_string_view<Unit> after)
    {
        Put(units, count, readableEnd);
        PutShort(after);
    }
};

// The result block itself, written in place, which saves copying every unit once more from a
// buffer. It holds room for the estimate from the start, and is moved to twice the room where
// the estimate falls short; Finish() keeps what was written.
class InPlaceBuffer
{
  public:
    InPlaceBuffer(TextBlock& result, std::size_t estimate) : m_result(result)
    {
        const std::size_t room = estimate + kOvercopyUnits<char16_t>;
        m_next = m_result.Reserve(0, room);
        m_roomEnd = m_next + room;
    }

    void Finish() { m_result.m_size = static_cast<std::size_t>(m_next - m_result.data()); }

  protected:
    char16_t* RoomAtHand(std::size_t count) const
    {
        return static_cast<std::size_t>(m_roomEnd - m_next) >= count + kOvercopyUnits<char16_t>
                   ? m_next
                   : nullptr;
    }
    char16_t* Room(std::size_t count)
    {
        if (RoomAtHand(count) == nullptr)
            Grow(count);
        return m_next;
    }
    void Advance(std::size_t count) { m_next += count; }
    void PassThrough(const char16_t*, std::size_t) {}

  private:
    void Grow(std::size_t count)
    {
        const auto used = static_cast<std::size_t>(m_next - m_result.data());
        const auto room = static_cast<std::size_t>(m_roomEnd - m_result.data());
        const std::size_t newRoom = std::max(2 * room, used + count + kOvercopyUnits<char16_t>);
        char16_t* const units = m_result.Reserve(used, newRoom);
        m_next = units + used;
        m_roomEnd = units + newRoom;
    }

    TextBlock& m_result;
    char16_t* m_next;    // where the next unit goes
    char16_t* m_roomEnd; // end of the room
};

// A buffer that stays in the cache, handed to sink(const Unit* units, std::size_t count) when
// full and at Flush().
template <class Unit, class Sink, std::size_t kUnits> class StagedBuffer
{
  public:
    explicit StagedBuffer(Sink sink) : m_sink(std::move(sink)) {}
    StagedBuffer(const StagedBuffer&) = delete;
    StagedBuffer& operator=(const StagedBuffer&) = delete;

    void Flush()
    {
        if (m_used != 0)
            m_sink(m_stage, m_used);
        m_used = 0;
    }

  protected:
    Unit* Room(std::size_t count)
    {
        if (count > kUnits - m_used)
            Flush();
        return count <= kUnits ? m_stage + m_used : nullptr;
    }
    void Advance(std::size_t count) { m_used += count; }
    void PassThrough(const Unit* units, std::size_t count) { m_sink(units, count); }

  private:
    Sink m_sink;
    Unit m_stage[kUnits + kOvercopyUnits<Unit>];
    std::size_t m_used = 0;
};

} // namespace tessel
