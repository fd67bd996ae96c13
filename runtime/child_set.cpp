// A size-balanced tree: every node keeps the size of its subtree, which gives rank and select in
// logarithmic time, and insertion restores the rule that no subtree is smaller than either child
// of its sibling.
#include "runtime/child_set.h"

#include <array>
#include <functional>

// The two child links are indexed by side, so that each rotation and rebalancing step is written
// once for both mirror images.
struct ChildNode {
    std::array<ChildNode*, 2> child{};
    ChildNode* parent = nullptr;
    int size = 1;
    CONTROL* key = nullptr;
};

namespace {

constexpr int kLeft = 0;
constexpr int kRight = 1;

int opposite(int side) {
    return 1 - side;
}

int sizeOf(const ChildNode* node) {
    return node != nullptr ? node->size : 0;
}

// Addresses of unrelated objects are ordered through std::less, which gives a total order where
// the built-in comparison gives none.
bool keyBefore(const CONTROL* a, const CONTROL* b) {
    return std::less<const CONTROL*>{}(a, b);
}

// Lifts the child on `side` of the node held in `slot` into its place; the node moves down to
// the opposite side. `slot` is the link that holds the subtree: a parent's child link or the
// tree's root.
void rotate(ChildNode*& slot, int side) {
    ChildNode* down = slot;
    ChildNode* up = down->child[side];
    ChildNode* inner = up->child[opposite(side)];
    down->child[side] = inner;
    if (inner != nullptr)
        inner->parent = down;
    up->child[opposite(side)] = down;
    up->parent = down->parent;
    down->parent = up;
    up->size = down->size;
    down->size = 1 + sizeOf(down->child[kLeft]) + sizeOf(down->child[kRight]);
    slot = up;
}

// Rebalances the subtree held in `slot` after an insertion below it on `side`.
void maintain(ChildNode*& slot, int side) {
    ChildNode* node = slot;
    if (node == nullptr || node->child[side] == nullptr)
        return;
    const ChildNode* heavy = node->child[side];
    const int limit = sizeOf(node->child[opposite(side)]);
    if (sizeOf(heavy->child[side]) > limit) {
        rotate(slot, side);
    } else if (sizeOf(heavy->child[opposite(side)]) > limit) {
        rotate(node->child[side], opposite(side));
        rotate(slot, side);
    } else {
        return;
    }
    maintain(slot->child[kLeft], kLeft);
    maintain(slot->child[kRight], kRight);
    maintain(slot, kLeft);
    maintain(slot, kRight);
}

void insertBelow(ChildNode*& slot, ChildNode* parent, CONTROL* key) {
    if (slot == nullptr) {
        slot = new ChildNode{.parent = parent, .key = key};
        return;
    }
    slot->size += 1;
    const int side = keyBefore(key, slot->key) ? kLeft : kRight;
    insertBelow(slot->child[side], slot, key);
    maintain(slot, side);
}

ChildNode* nodeAt(ChildNode* node, int rank) {
    for (;;) {
        const int leftSize = sizeOf(node->child[kLeft]);
        if (rank == leftSize)
            return node;
        if (rank < leftSize) {
            node = node->child[kLeft];
        } else {
            rank -= leftSize + 1;
            node = node->child[kRight];
        }
    }
}

// The in-order predecessor of a node with a left child.
ChildNode* predecessor(ChildNode* node) {
    node = node->child[kLeft];
    while (node->child[kRight] != nullptr)
        node = node->child[kRight];
    return node;
}

bool sizeBalancedBelow(const ChildNode* node) {
    if (node == nullptr)
        return true;
    for (int side : {kLeft, kRight}) {
        const ChildNode* sibling = node->child[opposite(side)];
        if (sibling == nullptr)
            continue;
        for (const ChildNode* nephew : sibling->child) {
            if (sizeOf(node->child[side]) < sizeOf(nephew))
                return false;
        }
    }
    return sizeBalancedBelow(node->child[kLeft]) && sizeBalancedBelow(node->child[kRight]);
}

void freeBelow(ChildNode* node) {
    if (node == nullptr)
        return;
    freeBelow(node->child[kLeft]);
    freeBelow(node->child[kRight]);
    delete node;
}

}  // namespace

ChildSet::~ChildSet() {
    freeBelow(root_);
}

int ChildSet::size() const {
    return sizeOf(root_);
}

bool ChildSet::insert(CONTROL* child) {
    if (contains(child))
        return false;
    insertBelow(root_, nullptr, child);
    return true;
}

int ChildSet::rank(const CONTROL* child) const {
    int passed = 0;
    for (const ChildNode* node = root_; node != nullptr;) {
        if (keyBefore(child, node->key)) {
            node = node->child[kLeft];
        } else if (keyBefore(node->key, child)) {
            passed += sizeOf(node->child[kLeft]) + 1;
            node = node->child[kRight];
        } else {
            return passed + sizeOf(node->child[kLeft]);
        }
    }
    return -1;
}

CONTROL* ChildSet::select(int rank) const {
    if (rank < 0 || rank >= size())
        return nullptr;
    return nodeAt(root_, rank)->key;
}

bool ChildSet::eraseAt(int rank) {
    if (rank < 0 || rank >= size())
        return false;
    ChildNode* victim = nodeAt(root_, rank);
    // A node with two children takes its predecessor's key, and the predecessor, which has no
    // right child, leaves the tree instead.
    if (victim->child[kLeft] != nullptr && victim->child[kRight] != nullptr) {
        ChildNode* stand = predecessor(victim);
        victim->key = stand->key;
        victim = stand;
    }
    for (ChildNode* above = victim->parent; above != nullptr; above = above->parent) {
        above->size -= 1;
    }
    ChildNode* heir = victim->child[victim->child[kLeft] != nullptr ? kLeft : kRight];
    if (heir != nullptr)
        heir->parent = victim->parent;
    ChildNode* parent = victim->parent;
    ChildNode*& slot = parent == nullptr                ? root_
                       : parent->child[kLeft] == victim ? parent->child[kLeft]
                                                        : parent->child[kRight];
    slot = heir;
    delete victim;
    return true;
}

bool ChildSet::sizeBalanced() const {
    return sizeBalancedBelow(root_);
}
