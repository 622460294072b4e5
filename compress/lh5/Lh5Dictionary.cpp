#include "compress/lh5/Lh5Dictionary.h"

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
    const int before = prev_[node];
    const int after = next_[node];
    next_[before] = after;
    prev_[after] = before;
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

// The previous insertion matched length + 1 bytes at matchPosition, so pos shares at least length
// bytes with matchPosition + 1: start from that leaf's deepest ancestor that is no longer than that,
// instead of from the root.
void TLh5Dictionary::ClimbToMatchStart(int length, int& node, int& parentNode)
{
    int r = (matchPosition + 1) | DICSIZ;
    int q = kNil;
    while ((q = parent_[r]) == kNil) r = next_[r];
    while (level_[q] >= length) {
        r = q;
        q = parent_[q];
    }
    node = r;
    parentNode = q;
}

void TLh5Dictionary::PercolateOnInsert(int node, int at)
{
    int t = node;
    while ((position_[t] & kPercFlag) != 0) {
        position_[t] = at;
        t = parent_[t];
    }
    if (t < DICSIZ) position_[t] = at | kPercFlag;
}

// Works on copies of the position and the match: as far as the compiler knows, every store into the
// tables could change the members, which it would then read again.
void TLh5Dictionary::Insert()
{
    const int p = pos;
    int length = matchLength;
    int r = kNil;
    int q = kNil;
    if (length >= 4) {
        --length;
        ClimbToMatchStart(length, r, q);
        PercolateOnInsert(q, p);
    } else {
        q = DICSIZ + text[p];
        // A root slot's chain holds at most its one child.
        const int slot = RootSlot(q, text[p + 1]);
        r = next_[slot];
        if (r == kNil) {
            LinkFirst(slot, p);
            parent_[p] = q;
            matchLength = 1;
            return;
        }
        length = 2;
    }
    int at = 0;
    for (;;) {
        int limit = MAXMATCH;
        if (r >= DICSIZ) {
            at = r;
        } else {
            limit = level_[r];
            at = position_[r] & ~kPercFlag;
        }
        if (at >= p) at -= DICSIZ;
        const unsigned char* a = &text[p + length];
        const unsigned char* b = &text[at + length];
        for (; length < limit; ++length) {
            if (*a++ != *b++) {
                matchLength = length;
                matchPosition = at;
                Split(r);
                return;
            }
        }
        if (length >= MAXMATCH) break;
        position_[r] = p;
        q = r;
        const unsigned char c = text[p + length];
        r = FindChild(q, c);
        if (r == kNil) {
            matchLength = length;
            matchPosition = at;
            MakeChild(q, c, p);
            return;
        }
        ++length;
    }
    matchLength = length;
    matchPosition = at;
    // A full-length match: pos replaces the older leaf r, which keeps a link to it for the climb.
    ReplaceInChain(r, p);
    parent_[p] = q;
    parent_[r] = kNil;
    next_[r] = p;
}

// Carries the newest position below a removed node up through the flagged ancestors.
void TLh5Dictionary::PercolateOnDelete(int node, int firstPosition, int at)
{
    int s = firstPosition;
    int q = parent_[node];
    int u = 0;
    while (((u = position_[q]) & kPercFlag) != 0) {
        u &= ~kPercFlag;
        if (u >= at) u -= DICSIZ;
        if (u > s) s = u;
        position_[q] = s | DICSIZ;
        q = parent_[q];
    }
    if (q < DICSIZ) {
        if (u >= at) u -= DICSIZ;
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

    const int p = pos;
    if (parent_[p] == kNil) return;
    Unlink(p);
    const int r = parent_[p];
    parent_[p] = kNil;
    if (r >= DICSIZ || --childCount_[r] > 1) return;

    // r is left with one child, which takes its place.
    int t = position_[r] & ~kPercFlag;
    if (t >= p) t -= DICSIZ;
    PercolateOnDelete(r, t, p);
    const int s = FindChild(r, text[t + level_[r]]);
    Unlink(s);
    ReplaceInChain(r, s);
    parent_[s] = parent_[r];
    parent_[r] = kNil;
    next_[r] = freeNode_;
    freeNode_ = r;
}
