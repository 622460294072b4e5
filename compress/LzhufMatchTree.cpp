#include "compress/LzhufMatchTree.h"

#include <algorithm>

namespace lzhuf {

TMatchTree::TMatchTree()
{
    std::fill(window_, window_ + (N - F), ' ');
    std::fill(window_ + N, window_ + (N + F - 1), ' ');
    std::fill(dad_, dad_ + N + 1, NIL);
    std::fill(rightSon_ + kFirstRoot, rightSon_ + kFirstRoot + kRoots, NIL);
}

int TMatchTree::RootOf(int r) const
{
    const unsigned mixed = window_[r + 1] ^ window_[r + 2];
    return kFirstRoot + window_[r] + 256 * static_cast<int>((mixed ^ (mixed >> 4)) & 15);
}

int TMatchTree::CommonLength(int a, int b, int from) const
{
    const unsigned char* x = window_ + a;
    const unsigned char* y = window_ + b;
    int i = from;
    while (i < F && x[i] == y[i]) ++i;
    return i;
}

// Every node on the path shares its first `known` bytes with the key wherever the parent does; so at
// each node either Same alone decides the comparison, or it resumes at the first byte not yet known.
void TMatchTree::Insert(int r)
{
    leftSon_[r] = rightSon_[r] = NIL;
    matchLength_ = 0;
    const unsigned char* key = window_ + r;
    int p = RootOf(r);
    int known = 1;  // the root stands for the first byte
    bool greater = true;  // a root has only a right subtree
    for (;;) {
        int& next = greater ? rightSon_[p] : leftSon_[p];
        if (next == NIL) {
            next = r;
            dad_[r] = p;
            same_[r] = static_cast<std::uint8_t>(known);
            return;
        }
        p = next;
        const int m = same_[p];
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

// r equals p in all F bytes, so it inherits p's place, its Same and its children's Same unchanged.
void TMatchTree::ReplaceNode(int p, int r)
{
    same_[r] = same_[p];
    dad_[r] = dad_[p];
    leftSon_[r] = leftSon_[p];
    rightSon_[r] = rightSon_[p];
    dad_[leftSon_[p]] = r;  // dad_[NIL] takes what an absent child would get
    dad_[rightSon_[p]] = r;
    const int parent = dad_[p];
    if (rightSon_[parent] == p)
        rightSon_[parent] = r;
    else
        leftSon_[parent] = r;
    dad_[p] = NIL;
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
    const int z = dad_[p];
    if (z == NIL) return;
    int q;
    if (rightSon_[p] == NIL || leftSon_[p] == NIL) {
        q = rightSon_[p] == NIL ? leftSon_[p] : rightSon_[p];
        if (q != NIL) same_[q] = static_cast<std::uint8_t>(SameAfterMove(q, z, same_[q], same_[p]));
    } else {
        // q, the greatest string below p, takes p's place.
        const int left = leftSon_[p];
        const int right = rightSon_[p];
        q = left;
        int sameQP = same_[left];
        if (rightSon_[q] != NIL) {
            // Every string on the rightward path from left to q shares at least the shortest Same on it.
            int sameLQ = F;
            do {
                q = rightSon_[q];
                sameLQ = std::min<int>(sameLQ, same_[q]);
            } while (rightSon_[q] != NIL);
            sameLQ = CommonLength(left, q, sameLQ);
            sameQP = same_[left] != sameLQ ? std::min<int>(same_[left], sameLQ) : CommonLength(q, p, sameLQ);
            const int qDad = dad_[q];
            const int qLeft = leftSon_[q];
            if (qLeft != NIL) same_[qLeft] = static_cast<std::uint8_t>(SameAfterMove(qLeft, qDad, same_[qLeft], same_[q]));
            rightSon_[qDad] = qLeft;
            dad_[qLeft] = qDad;
            leftSon_[q] = left;
            dad_[left] = q;
            same_[left] = static_cast<std::uint8_t>(sameLQ);
        }
        same_[right] = static_cast<std::uint8_t>(SameAfterMove(right, q, same_[right], sameQP));
        rightSon_[q] = right;
        dad_[right] = q;
        same_[q] = static_cast<std::uint8_t>(SameAfterMove(q, z, sameQP, same_[p]));
    }
    dad_[q] = z;
    if (rightSon_[z] == p)
        rightSon_[z] = q;
    else
        leftSon_[z] = q;
    dad_[p] = NIL;
}

}  // namespace lzhuf
