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
        if (count > kStageUnits - m_staged)
        {
            Flush();
            if (count > kStageUnits)
            {
                m_sink(units, count); // longer than the whole buffer: straight through
                return;
            }
        }
        std::memcpy(m_stage + m_staged, units, count * sizeof(Unit));
        m_staged += count;
    }

    // For signs and line ends, a few units long: a loop beats a call to memcpy.
    void PutShort(std::basic_string_view<Unit> units)
    {
        if (units.size() > kStageUnits - m_staged)
            return Put(units.data(), units.size());
        for (const Unit unit : units)
            m_stage[m_staged++] = unit;
    }

    void Flush()
    {
        if (m_staged != 0)
            m_sink(m_stage, m_staged);
        m_staged = 0;
    }

  private:
    Sink m_sink;
    Unit m_stage[kStageUnits];
    std::size_t m_staged = 0;
};

} // namespace tessel
