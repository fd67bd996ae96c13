// The children of a control as a size-balanced search tree keyed by their addresses, so that the
// update and key passes can walk them by rank and membership costs no scan.
#pragma once

class CONTROL;

struct ChildNode;

class ChildSet {
public:
    ChildSet() = default;
    ~ChildSet();
    ChildSet(const ChildSet&) = delete;
    ChildSet& operator=(const ChildSet&) = delete;

    int size() const;
    // Adds the child and rebalances on the way back up; false when it is already in the set.
    bool insert(CONTROL* child);
    // The child's position in ascending address order, or -1 when it is not in the set.
    int rank(const CONTROL* child) const;
    bool contains(const CONTROL* child) const { return rank(child) >= 0; }
    // The child at the rank, or null when the rank is out of range.
    CONTROL* select(int rank) const;
    // Removes the child at the rank without rebalancing; false when the rank is out of range.
    bool eraseAt(int rank);
    // Removes the child; false when it is not in the set.
    bool erase(const CONTROL* child) { return eraseAt(rank(child)); }

    // Whether no subtree is smaller than either child of its sibling: what insertion keeps
    // true, and what keeps the tree's height logarithmic. Tests check it.
    bool sizeBalanced() const;

private:
    ChildNode* root_ = nullptr;
};
