#include "compress/Lh5Dictionary.h"

#include <cstdint>

using namespace lh5;

namespace {

constexpr std::uint32_t kHashFactor = 2654435761u;

// Two bytes under one node differ by d = 1 to 255 in the key, so their products differ by d × factor
// modulo 2^32; when that is at least 2^(32 - bits) away from 0 both ways, their top bits cannot agree.
constexpr bool KeepsChildrenApart(int hashBits)
{
    const std::uint32_t span = 1u << (32 - hashBits);
    for (std::uint32_t d = 1; d < 256; ++d) {
        const std::uint32_t gap = d * kHashFactor;
        if (gap < span || gap > 0u - span) return false;
    }
    return true;
}

}  // namespace

// FindChild knows a child by its parent alone, so the children of one node must never share a chain;
// beyond that only the speed depends on the hash. Multiplicative hashing spreads the children evenly
// over the chains, where a sum of node and byte crowds them into a few.
int TLh5Dictionary::Hash(int node, unsigned char c)
{
    static_assert(KeepsChildrenApart(kHashBits));
    return 2 * DICSIZ + static_cast<int>((static_cast<std::uint32_t>(node << 8 | c) * kHashFactor) >> (32 - kHashBits));
}

TLh5Dictionary::TLh5Dictionary()
{
    for (int i = DICSIZ; i < DICSIZ + kRoots; ++i) level_[i] = 1;
    for (int i = 1; i < DICSIZ - 1; ++i) next_[i] = i + 1;
}

int TLh5Dictionary::FindChild(int node, unsigned char c)
{
    parent_[kNil] = node;  // sentinel: the chain walk ends at NIL at the latest
    int r = next_[Hash(node, c)];
    while (parent_[r] != node) r = next_[r];
    return r;
}

// Children of inner nodes only: a root's children are counted nowhere, as a root is never removed.
void TLh5Dictionary::MakeChild(int node, unsigned char c, int child)
{
    LinkFirst(Hash(node, c), child);
    parent_[child] = node;
    ++childCount_[node];
}

void TLh5Dictionary::LinkFirst(int slot, int child)
{
    const int first = next_[slot];
    next_[slot] = child;
    next_[child] = first;
    prev_[first] = child;
    prev_[child] = slot;
}

void TLh5Dictionary::Unlink(int node)
{
    next_[prev_[node]] = next_[node];
    prev_[next_[node]] = prev_[node];
}

// Puts replacement where old is in its hash chain.
void TLh5Dictionary::ReplaceInChain(int old, int replacement)
{
    const int before = prev_[old];
    prev_[replacement] = before;
    next_[before] = replacement;
    const int after = next_[old];
    next_[replacement] = after;
    prev_[after] = replacement;
}

// old's string and pos's first differ after matchLength bytes: a new inner node takes old's place
// and gets both as children.
void TLh5Dictionary::Split(int old)
{
    const int node = freeNode_;
    freeNode_ = next_[node];
    childCount_[node] = 0;
    ReplaceInChain(old, node);
    parent_[node] = parent_[old];
    level_[node] = matchLength;
    position_[node] = pos;
    MakeChild(node, text[matchPosition + matchLength], old);
    MakeChild(node, text[pos + matchLength], pos);
}

// The previous insertion matched matchLength + 1 bytes at matchPosition, so pos shares at least
// matchLength bytes with matchPosition + 1: start from that leaf's deepest ancestor that is no
// longer than that, instead of from the root.
void TLh5Dictionary::ClimbToMatchStart(int& node, int& parentNode)
{
    int r = (matchPosition + 1) | DICSIZ;
    int q = kNil;
    while ((q = parent_[r]) == kNil) r = next_[r];
    while (level_[q] >= matchLength) {
        r = q;
        q = parent_[q];
    }
    node = r;
    parentNode = q;
}

void TLh5Dictionary::PercolateOnInsert(int node)
{
    int t = node;
    while ((position_[t] & kPercFlag) != 0) {
        position_[t] = pos;
        t = parent_[t];
    }
    if (t < DICSIZ) position_[t] = pos | kPercFlag;
}

void TLh5Dictionary::Insert()
{
    int r = kNil;
    int q = kNil;
    if (matchLength >= 4) {
        --matchLength;
        ClimbToMatchStart(r, q);
        PercolateOnInsert(q);
    } else {
        q = DICSIZ + text[pos];
        // A root slot's chain holds at most its one child.
        const int slot = RootSlot(q, text[pos + 1]);
        r = next_[slot];
        if (r == kNil) {
            LinkFirst(slot, pos);
            parent_[pos] = q;
            matchLength = 1;
            return;
        }
        matchLength = 2;
    }
    for (;;) {
        int limit = MAXMATCH;
        if (r >= DICSIZ) {
            matchPosition = r;
        } else {
            limit = level_[r];
            matchPosition = position_[r] & ~kPercFlag;
        }
        if (matchPosition >= pos) matchPosition -= DICSIZ;
        const unsigned char* a = &text[pos + matchLength];
        const unsigned char* b = &text[matchPosition + matchLength];
        for (; matchLength < limit; ++matchLength) {
            if (*a++ != *b++) {
                Split(r);
                return;
            }
        }
        if (matchLength >= MAXMATCH) break;
        position_[r] = pos;
        q = r;
        const unsigned char c = text[pos + matchLength];
        r = FindChild(q, c);
        if (r == kNil) {
            MakeChild(q, c, pos);
            return;
        }
        ++matchLength;
    }
    // A full-length match: pos replaces the older leaf r, which keeps a link to it for the climb.
    ReplaceInChain(r, pos);
    parent_[pos] = q;
    parent_[r] = kNil;
    next_[r] = pos;
}

// Carries the newest position below a removed node up through the flagged ancestors.
void TLh5Dictionary::PercolateOnDelete(int node, int firstPosition)
{
    int s = firstPosition;
    int q = parent_[node];
    int u = 0;
    while (((u = position_[q]) & kPercFlag) != 0) {
        u &= ~kPercFlag;
        if (u >= pos) u -= DICSIZ;
        if (u > s) s = u;
        position_[q] = s | DICSIZ;
        q = parent_[q];
    }
    if (q < DICSIZ) {
        if (u >= pos) u -= DICSIZ;
        if (u > s) s = u;
        position_[q] = s | DICSIZ | kPercFlag;
    }
}

void TLh5Dictionary::Delete()
{
    // The next position's deletion unlinks its leaf from a chain and counts down its parent's children,
    // and when its insertion starts at a root it reads the root's chain: entries anywhere in the tables.
    // Asking for them a position early hides part of their fetch behind this position's work. (Where the
    // window slides first they are the wrong entries, which costs only the fetch.) The hints stay here:
    // in a function of their own the compiler finds nothing done and drops the call.
    const int next = pos + 1;
    const int nextLeaf = next & (2 * DICSIZ - 1);
    __builtin_prefetch(&next_[RootSlot(DICSIZ + text[next], text[next + 1])]);
    __builtin_prefetch(&next_[prev_[nextLeaf]], 1);
    __builtin_prefetch(&childCount_[parent_[nextLeaf]], 1);

    if (parent_[pos] == kNil) return;
    Unlink(pos);
    const int r = parent_[pos];
    parent_[pos] = kNil;
    if (r >= DICSIZ || --childCount_[r] > 1) return;

    // r is left with one child, which takes its place.
    int t = position_[r] & ~kPercFlag;
    if (t >= pos) t -= DICSIZ;
    PercolateOnDelete(r, t);
    const int s = FindChild(r, text[t + level_[r]]);
    Unlink(s);
    ReplaceInChain(r, s);
    parent_[s] = parent_[r];
    parent_[r] = kNil;
    next_[r] = freeNode_;
    freeNode_ = r;
}
