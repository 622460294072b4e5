#include "compress/lzhuf/LzhufTree.h"

#include <algorithm>

namespace lzhuf {

TAdaptiveTree::TAdaptiveTree()
{
    for (int i = 0; i < N_CHAR; ++i) {
        frequency_[i] = 1;
        child_[i] = i + T;
        parent_[i + T] = i;
    }
    for (int i = N_CHAR, j = 0; i < T; ++i, j += 2) {
        frequency_[i] = frequency_[j] + frequency_[j + 1];
        child_[i] = j;
        parent_[j] = parent_[j + 1] = i;
    }
    frequency_[T] = 0xFFFF;
    parent_[R] = 0;
}

void TAdaptiveTree::Update(int symbol)
{
    if (frequency_[R] == MAX_FREQ) Reconstruct();
    // Weights are at most MAX_FREQ, below the sentinel, so the scan for l stops at T at the latest; no
    // inner node sits at position 0 (it outweighs its children, which lie below it), so 0 marks the root.
    int node = parent_[symbol + T];
    do {
        const std::uint32_t k = ++frequency_[node];
        if (k > frequency_[node + 1]) {
            int l = node + 1;
            while (k > frequency_[l + 1]) ++l;
            frequency_[node] = frequency_[l];
            frequency_[l] = k;
            SwapSubtrees(node, l);
            node = l;
        }
        node = parent_[node];
    } while (node != 0);
}

// The subtrees hanging at node and at other change places; the nodes keep their positions.
void TAdaptiveTree::SwapSubtrees(int node, int other)
{
    const int i = child_[node];
    parent_[i] = other;
    if (i < T) parent_[i + 1] = other;
    const int j = child_[other];
    child_[other] = i;
    parent_[j] = node;
    if (j < T) parent_[j + 1] = node;
    child_[node] = j;
}

// Halves every leaf weight and builds the tree anew in sibling order.
void TAdaptiveTree::Reconstruct()
{
    int leaves = 0;
    for (int i = 0; i < T; ++i) {
        if (child_[i] >= T) {
            frequency_[leaves] = (frequency_[i] + 1) / 2;
            child_[leaves] = child_[i];
            ++leaves;
        }
    }
    // Each new inner node joins the two lowest unpaired nodes and is inserted where its weight keeps the
    // order; the scan stops at i + 1 at the latest, since the new weight is at least that node's.
    for (int i = 0, j = N_CHAR; j < T; i += 2, ++j) {
        const std::uint32_t f = frequency_[i] + frequency_[i + 1];
        int k = j - 1;
        while (f < frequency_[k]) --k;
        ++k;
        std::copy_backward(frequency_ + k, frequency_ + j, frequency_ + j + 1);
        std::copy_backward(child_ + k, child_ + j, child_ + j + 1);
        frequency_[k] = f;
        child_[k] = i;
    }
    for (int k = 0; k < T; ++k) {
        const int c = child_[k];
        parent_[c] = k;
        if (c < T) parent_[c + 1] = k;
    }
}

}  // namespace lzhuf
