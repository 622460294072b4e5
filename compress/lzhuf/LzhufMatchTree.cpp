#include "compress/lzhuf/LzhufMatchTree.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace lzhuf {

namespace {

std::int16_t Link(int node)
{
    return static_cast<std::int16_t>(node);
}
std::uint8_t Shared(int length)
{
    return static_cast<std::uint8_t>(length);
}

}  // namespace

TMatchTree::TMatchTree()
{
    std::fill(window_, window_ + (N - F), ' ');
    std::fill(window_ + N, window_ + (N + F - 1), ' ');
    for (TNode& node : nodes_) node.dad = Link(NIL);
    std::fill(roots_, roots_ + kRoots, Link(NIL));
}

int TMatchTree::RootOf(int r) const
{
    const unsigned mixed = window_[r + 1] ^ window_[r + 2];
    return kFirstRoot + window_[r] + 256 * static_cast<int>((mixed ^ (mixed >> 4)) & 15);
}

// Compares eight bytes at a time where the byte order lets the lowest differing bit find the first
// differing byte; what lies beyond F may be read but never counts.
int TMatchTree::CommonLength(int a, int b, int from) const
{
    const unsigned char* x = window_ + a;
    const unsigned char* y = window_ + b;
    int i = from;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i < F; i += 8) {
            std::uint64_t wx;
            std::uint64_t wy;
            std::memcpy(&wx, x + i, sizeof wx);
            std::memcpy(&wy, y + i, sizeof wy);
            if (wx != wy) return std::min(F, i + std::countr_zero(wx ^ wy) / 8);
        }
        return F;
    } else {
        while (i < F && x[i] == y[i]) ++i;
        return i;
    }
}

// Every node on the path shares its first `known` bytes with the key wherever the parent does; so at
// each node either Same alone decides the comparison, or it resumes at the first byte not yet known.
void TMatchTree::Insert(int r)
{
    nodes_[r].left = nodes_[r].right = Link(NIL);
    matchLength_ = 0;
    const unsigned char* key = window_ + r;
    int p = RootOf(r);
    std::int16_t* link = &roots_[p - kFirstRoot];
    int known = 1;  // the root stands for the first byte
    bool greater = true;
    for (;;) {
        if (*link == NIL) {
            *link = Link(r);
            nodes_[r].dad = Link(p);
            nodes_[r].same = Shared(known);
            return;
        }
        p = *link;
        const int m = nodes_[p].same;
        if (m < known) {
            known = m;
            greater = key[m] > window_[p + m];
        } else if (m == known) {
            known = CommonLength(r, p, known);
            if (known < F) greater = key[known] > window_[p + known];
        }
        if (known > THRESHOLD) {
            RecordMatch(r, p, known);
            if (known == F) {
                ReplaceNode(p, r);
                return;
            }
        }
        link = greater ? &nodes_[p].right : &nodes_[p].left;
    }
}

void TMatchTree::RecordMatch(int r, int p, int length)
{
    const int position = ((r - p) & (N - 1)) - 1;
    if (length > matchLength_) {
        matchLength_ = length;
        matchPosition_ = position;
    } else if (length == matchLength_ && position < matchPosition_) {
        matchPosition_ = position;
    }
}

// The link in p's parent (a node or a root) that holds p.
std::int16_t& TMatchTree::LinkFromDad(int p)
{
    const int dad = nodes_[p].dad;
    if (IsRoot(dad)) return roots_[dad - kFirstRoot];
    TNode& parent = nodes_[dad];
    return parent.right == p ? parent.right : parent.left;
}

// r equals p in all F bytes, so it inherits p's place, its Same and its children's Same unchanged.
void TMatchTree::ReplaceNode(int p, int r)
{
    nodes_[r] = nodes_[p];
    nodes_[nodes_[p].left].dad = Link(r);
    nodes_[nodes_[p].right].dad = Link(r);
    LinkFromDad(p) = Link(r);
    nodes_[p].dad = Link(NIL);
}

// Same of node y once it hangs under z instead of under x, where x hung under z. Of the three common
// prefixes of three strings the two shortest are equal, so unequal known ones give the answer; equal
// ones are only a lower bound from which to compare.
int TMatchTree::SameAfterMove(int y, int z, int sameYX, int sameXZ) const
{
    if (IsRoot(z)) return 1;
    if (sameYX != sameXZ) return std::min(sameYX, sameXZ);
    return CommonLength(y, z, sameYX);
}

void TMatchTree::Delete(int p)
{
    TNode& x = nodes_[p];
    const int z = x.dad;
    if (z == NIL) return;
    int q;
    if (x.right == NIL || x.left == NIL) {
        q = x.right == NIL ? x.left : x.right;
        if (q != NIL) nodes_[q].same = Shared(SameAfterMove(q, z, nodes_[q].same, x.same));
    } else {
        // q, the greatest string below p, takes p's place.
        const int left = x.left;
        const int right = x.right;
        q = left;
        int sameQP = nodes_[left].same;
        if (nodes_[q].right != NIL) {
            // Every string on the rightward path from left to q shares at least the shortest Same on it.
            int sameLQ = F;
            do {
                q = nodes_[q].right;
                sameLQ = std::min<int>(sameLQ, nodes_[q].same);
            } while (nodes_[q].right != NIL);
            sameLQ = CommonLength(left, q, sameLQ);
            const int sameLP = nodes_[left].same;
            sameQP = sameLP != sameLQ ? std::min(sameLP, sameLQ) : CommonLength(q, p, sameLQ);
            const int qDad = nodes_[q].dad;
            const int qLeft = nodes_[q].left;
            if (qLeft != NIL)
                nodes_[qLeft].same = Shared(SameAfterMove(qLeft, qDad, nodes_[qLeft].same, nodes_[q].same));
            nodes_[qDad].right = Link(qLeft);
            nodes_[qLeft].dad = Link(qDad);
            nodes_[q].left = Link(left);
            nodes_[left].dad = Link(q);
            nodes_[left].same = Shared(sameLQ);
        }
        nodes_[right].same = Shared(SameAfterMove(right, q, nodes_[right].same, sameQP));
        nodes_[q].right = Link(right);
        nodes_[right].dad = Link(q);
        nodes_[q].same = Shared(SameAfterMove(q, z, sameQP, x.same));
    }
    LinkFromDad(p) = Link(q);
    nodes_[q].dad = Link(z);
    x.dad = Link(NIL);
}

}  // namespace lzhuf
