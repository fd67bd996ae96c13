// Controls: construction and destruction, the default handlers, membership and drawing order, and
// the runtime's root.
#include "runtime/control.h"

#include <algorithm>
#include <functional>
#include <tuple>

#include "runtime/control_tree.h"
#include "runtime/graph.h"
#include "runtime/graph_state.h"

namespace {

// Room for this many children is made when the first one arrives.
constexpr size_t kFirstChildCapacity = 8;

bool isInSubtree(const CONTROL* node, const CONTROL* top) {
    for (; node != nullptr; node = node->parent) {
        if (node == top)
            return true;
    }
    return false;
}

// Moves every child of `from` to `heir` in drawing order; with no heir they are detached.
void handChildrenTo(CONTROL& from, CONTROL* heir) {
    while (!from.children.empty()) {
        CONTROL* child = from.children.front();
        if (heir != nullptr) {
            addchild(heir, child);
        } else {
            removechild(&from, child);
        }
    }
}

}  // namespace

CONTROL::CONTROL(CONTROL* parent) : canvas(newimage()), mask(newimage()) {
    GraphState& gs = graphstate();
    if (gs.treeroot == nullptr) {
        gs.treeroot = this;
        isroot = 1;
        visible = 0;
        enabled = 0;
        width = imagewidth();
        height = imageheight();
        return;
    }
    addchild(parent != nullptr ? parent : gs.treeroot, this);
}

CONTROL::~CONTROL() {
    GraphState& gs = graphstate();
    if (gs.focuscontrol == this)
        gs.focuscontrol = nullptr;
    if (gs.treeroot == this)
        gs.treeroot = nullptr;
    CONTROL* heir = parent;
    removechild(parent, this);
    handChildrenTo(*this, heir);
    freeimage(canvas);
    freeimage(mask);
}

int CONTROL::onmouse(int, int, int) {
    return 0;
}
int CONTROL::onkeydown(int, int) {
    return 0;
}
int CONTROL::onkeyup(int, int) {
    return 0;
}
int CONTROL::onchar(int, int) {
    return 0;
}
int CONTROL::onupdate() {
    return 0;
}
int CONTROL::onfocusrequest() {
    return 0;
}
void CONTROL::onlosefocus() {}
void CONTROL::ondraw(PIMAGE) {}
void CONTROL::onchildadded(CONTROL*) {}
void CONTROL::onchildremoved(CONTROL*) {}

void CONTROL::clearmask() {
    setbackcolorkeep(0x000000, mask);
    clearimage(mask);
}

void addchild(CONTROL* parent, CONTROL* child) {
    // A control inside its own subtree would send every pass round in a circle.
    if (parent == nullptr || child == nullptr || isInSubtree(parent, child))
        return;
    if (parent->children.empty())
        parent->children.reserve(kFirstChildCapacity);
    if (child->parent != nullptr)
        removechild(child->parent, child);
    parent->childset.insert(child);
    parent->children.push_back(child);
    child->parent = parent;
    child->serial = runtime::nextSerial(*parent);
    runtime::sortChildren(*parent);
    runtime::onTarget(parent->canvas, [&] { parent->onchildadded(child); });
}

int removechild(CONTROL* parent, CONTROL* child) {
    if (parent == nullptr || !parent->childset.contains(child))
        return 0;
    runtime::onTarget(parent->canvas, [&] { parent->onchildremoved(child); });
    parent->childset.erase(child);
    child->parent = nullptr;
    std::erase(parent->children, child);
    runtime::sortChildren(*parent);
    return 1;
}

CONTROL* ensureControlRoot() {
    // Made on the first call, once initgraph can make images, and destroyed at process exit.
    static CONTROL root;
    return &root;
}

namespace runtime {

int nextSerial(CONTROL& parent) {
    if (parent.nextserial > kSerialLimit) {
        int serial = 0;
        for (CONTROL* child : parent.children)
            child->serial = ++serial;
        parent.nextserial = serial + 1;
    }
    return parent.nextserial++;
}

void sortChildren(CONTROL& parent) {
    const auto sortKey = [](const CONTROL* c) { return std::tuple(c->zorder, c->serial); };
    std::sort(parent.children.begin(), parent.children.end(), [&](CONTROL* a, CONTROL* b) {
        if (sortKey(a) != sortKey(b))
            return sortKey(a) < sortKey(b);
        return std::less<CONTROL*>{}(a, b);
    });
}

}  // namespace runtime
