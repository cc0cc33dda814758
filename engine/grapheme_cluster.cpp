#include "engine/grapheme_cluster.h"

#include "engine/char_properties.h"

namespace tessel
{
namespace
{

bool IsControlLike(GraphemeBreak value)
{
    return value == GraphemeBreak::Control || value == GraphemeBreak::CR ||
           value == GraphemeBreak::LF;
}

bool IsHangulFollower(GraphemeBreak before, GraphemeBreak after)
{
    using GB = GraphemeBreak;
    switch (before)
    {
        case GB::L:
            return after == GB::L || after == GB::V || after == GB::LV || after == GB::LVT;
        case GB::LV:
        case GB::V:
            return after == GB::V || after == GB::T;
        case GB::LVT:
        case GB::T:
            return after == GB::T;
        default:
            return false;
    }
}

// What the rules need to remember of the cluster so far.
struct ClusterState
{
    GraphemeBreak last;
    bool pictographicRun = false; // the cluster ends in a pictograph and Extend characters
    bool pictographicZwj = false; // ... followed by a ZWJ
    int regionalIndicators = 0;   // regional indicators in a row at the end
};

// Whether `next` continues the cluster: the rules GB3 to GB13, in their order. Starting at a
// boundary, the state of one cluster is all they need: the pictographic sequence before a ZWJ
// and a run of regional indicators never cross a boundary.
bool Continues(const ClusterState& state, CharProperties next)
{
    using GB = GraphemeBreak;
    const GB after = next.Break();
    if (state.last == GB::CR && after == GB::LF)
        return true; // GB3
    if (IsControlLike(state.last) || IsControlLike(after))
        return false; // GB4, GB5
    if (IsHangulFollower(state.last, after))
        return true; // GB6 to GB8
    if (after == GB::Extend || after == GB::ZWJ || after == GB::SpacingMark)
        return true; // GB9, GB9a
    if (state.last == GB::Prepend)
        return true; // GB9b
    if (state.pictographicZwj && next.Pictographic())
        return true; // GB11
    return state.last == GB::RegionalIndicator && after == GB::RegionalIndicator &&
           state.regionalIndicators % 2 == 1; // GB12, GB13
}

void Append(ClusterState& state, CharProperties next)
{
    const GraphemeBreak value = next.Break();
    state.pictographicZwj = state.pictographicRun && value == GraphemeBreak::ZWJ;
    state.pictographicRun =
        next.Pictographic() || (state.pictographicRun && value == GraphemeBreak::Extend);
    state.regionalIndicators =
        value == GraphemeBreak::RegionalIndicator ? state.regionalIndicators + 1 : 0;
    state.last = value;
}

} // namespace

template <class Unit> Cluster<Unit> NextCluster(const Unit* pos, const Unit* end)
{
    const Decoded first = DecodeAt(pos, end);
    const CharProperties firstProperties = PropertiesOf(first.codePoint);
    ClusterState state{GraphemeBreak::Other};
    Append(state, firstProperties);
    bool wide = firstProperties.Wide() || first.codePoint == kEmojiPresentation;
    bool flag = false;
    const Unit* at = pos + first.units;
    while (at != end)
    {
        const Decoded next = DecodeAt(at, end);
        const CharProperties properties = PropertiesOf(next.codePoint);
        if (!Continues(state, properties))
            break;
        Append(state, properties);
        wide = wide || next.codePoint == kEmojiPresentation;
        flag = flag || state.regionalIndicators == 2;
        at += next.units;
    }
    return {at, wide || flag ? 2 : 1};
}

template Cluster<char> NextCluster(const char*, const char*);
template Cluster<char16_t> NextCluster(const char16_t*, const char16_t*);

} // namespace tessel
