#pragma once
// Output gathered in a small buffer that stays in the cache and handed to a sink a buffer at a
// time: handing every sign, piece and line end over one by one costs as much as finding them.

#include <cstddef>
#include <cstring>
#include <string_view>

namespace tessel
{

// Sink: a callable taking (const Unit* units, std::size_t count).
template <class Unit, class Sink, std::size_t kStageUnits = 4096> class StagedWriter
{
  public:
    explicit StagedWriter(Sink sink) : m_sink(std::move(sink)) {}
    StagedWriter(const StagedWriter&) = delete;
    StagedWriter& operator=(const StagedWriter&) = delete;

    void Put(const Unit* units, std::size_t count)
    {
        if (MakeRoom(units, count))
        {
            CopyUnits(m_stage + m_staged, units, count);
            m_staged += count;
        }
    }

    // The same for units that may be read up to readableEnd: a short run is copied as a fixed
    // 128 bytes, more than it needs; what lies beyond it is overwritten by what comes next.
    // A copy of one length every time is the fastest there is.
    void Put(const Unit* units, std::size_t count, const Unit* readableEnd)
    {
        if (count <= kOvercopyUnits &&
            static_cast<std::size_t>(readableEnd - units) >= kOvercopyUnits &&
            count <= kStageUnits - m_staged)
        {
            std::memcpy(m_stage + m_staged, units, sizeof(Unit) * kOvercopyUnits);
            m_staged += count;
            return;
        }
        Put(units, count);
    }

    // A short run between two short strings (a sign, a piece, a line end) with one check for
    // room, the run copied as above.
    void PutFramed(std::basic_string_view<Unit> before, const Unit* units, std::size_t count,
                   const Unit* readableEnd, std::basic_string_view<Unit> after)
    {
        if (count <= kOvercopyUnits &&
            static_cast<std::size_t>(readableEnd - units) >= kOvercopyUnits &&
            before.size() + kOvercopyUnits + after.size() <= kStageUnits - m_staged)
        {
            for (const Unit unit : before)
                m_stage[m_staged++] = unit;
            std::memcpy(m_stage + m_staged, units, sizeof(Unit) * kOvercopyUnits);
            m_staged += count;
            for (const Unit unit : after)
                m_stage[m_staged++] = unit;
            return;
        }
        PutShort(before);
        Put(units, count, readableEnd);
        PutShort(after);
    }

    // For signs and line ends, a few units long: a loop beats a call to memcpy.
    void PutShort(std::basic_string_view<Unit> units)
    {
        if (MakeRoom(units.data(), units.size()))
        {
            for (const Unit unit : units)
                m_stage[m_staged++] = unit;
        }
    }

    void Flush()
    {
        if (m_staged != 0)
            m_sink(m_stage, m_staged);
        m_staged = 0;
    }

  private:
    // Makes room for `count` units in the buffer; more than it holds go straight to the sink,
    // and then the answer is false.
    bool MakeRoom(const Unit* units, std::size_t count)
    {
        if (count <= kStageUnits - m_staged)
            return true;
        Flush();
        if (count <= kStageUnits)
            return true;
        m_sink(units, count);
        return false;
    }

    // Pieces are a few dozen units long: sixteen bytes at a time, the last sixteen overlapping
    // the ones before, beat a call to memcpy.
    static void CopyUnits(Unit* to, const Unit* from, std::size_t count)
    {
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

    static constexpr std::size_t kOvercopyUnits = 128 / sizeof(Unit);

    Sink m_sink;
    Unit m_stage[kStageUnits + kOvercopyUnits];
    std::size_t m_staged = 0;
};

} // namespace tessel
