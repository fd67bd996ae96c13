// The control tree's passes: drawing, updating, and passing mouse and key events down the tree.
//
// Any handler may change the tree, destroying controls included. So every pass re-checks the
// control it walks from after each handler call (through its lifetime) and never keeps a child
// pointer across a handler call without checking that the child is still a child.
#include <vector>

#include "platform/messages.h"
#include "runtime/control.h"
#include "runtime/control_tree.h"
#include "runtime/event_queue.h"
#include "runtime/graph.h"
#include "runtime/graph_state.h"

namespace {

using Lifetime = std::weak_ptr<const void>;
using KeyHandler = int (CONTROL::*)(int key, int reserved);

// Puts the control's finished canvas onto the target at the control's position.
void composite(const CONTROL& control, PIMAGE target) {
    if (control.blendmode == BLENDMODE_ROP) {
        control.canvas->putimage(target, control.x, control.y, control.rop);
    } else if (control.blendmode == BLENDMODE_MASKED) {
        control.canvas->putimage_alphablend(target, control.x, control.y, control.mask, 0, 0, 0, 0);
    }
}

bool isChild(const CONTROL& parent, const CONTROL* child) {
    return parent.childset.contains(child);
}

bool takesKeys(const CONTROL& control) {
    return control.visible != 0 && control.enabled != 0 && control.focused != 0;
}

// Whether the point, local to the child's parent, lies on the child. A masked child is hit only
// where its mask is not 0; outside the mask it reads 0.
bool isHit(const CONTROL& child, int x, int y) {
    if (child.visible == 0 || child.enabled == 0)
        return false;
    if (x < child.x || y < child.y)
        return false;
    if (int64_t{x} >= int64_t{child.x} + child.width)
        return false;
    if (int64_t{y} >= int64_t{child.y} + child.height)
        return false;
    if (child.blendmode == BLENDMODE_ROP || child.isroot != 0)
        return true;
    return readpixel(x - child.x, y - child.y, child.mask) != 0;
}

// The topmost child hit among order[0, end), skipping those no longer children of the parent.
CONTROL* topmostHit(const CONTROL& parent, const std::vector<CONTROL*>& order, size_t end, int x,
                    int y) {
    for (size_t i = end; i-- > 0;) {
        if (isChild(parent, order[i]) && isHit(*order[i], x, y))
            return order[i];
    }
    return nullptr;
}

// Takes the focus from the controls that held it: from the last focused control up through its
// ancestors until the walk reaches the new holder or a control without a parent.
void releaseFocus(const CONTROL& taker) {
    CONTROL* holder = graphstate().focuscontrol;
    if (holder == nullptr || holder == &taker || holder == taker.parent)
        return;
    while (holder != &taker && holder->parent != nullptr) {
        const Lifetime alive = holder->lifetime();
        runtime::onTarget(holder->canvas, [&] { holder->onlosefocus(); });
        if (alive.expired())
            return;
        holder->focused = 0;
        holder = holder->parent;
    }
}

// Offers the focus to a child that a press hit. One that accepts goes on top of the children of
// its z-order and becomes the focused control.
void offerFocus(CONTROL& parent, CONTROL& child) {
    const Lifetime parentAlive = parent.lifetime();
    const int refused = runtime::onTarget(child.canvas, [&] { return child.onfocusrequest(); });
    if (refused != 0 || parentAlive.expired() || !isChild(parent, &child))
        return;
    child.focused = 1;
    child.serial = runtime::nextSerial(parent);
    runtime::sortChildren(parent);
    const Lifetime childAlive = child.lifetime();
    releaseFocus(child);
    if (!childAlive.expired())
        graphstate().focuscontrol = &child;
}

void controlkey(CONTROL* control, KeyHandler handler, bool stopsWhenConsumed, int key,
                int reserved) {
    if (control == nullptr)
        return;
    const Lifetime alive = control->lifetime();
    const int consumed =
        runtime::onTarget(control->canvas, [&] { return (control->*handler)(key, reserved); });
    if (alive.expired() || (stopsWhenConsumed && consumed != 0))
        return;
    // Ranks are read afresh every step: a handler may have changed the children.
    for (int rank = control->childset.size() - 1; rank >= 0; --rank) {
        CONTROL* child = control->childset.select(rank);
        if (child != nullptr && takesKeys(*child)) {
            controlkey(child, handler, stopsWhenConsumed, key, reserved);
            if (alive.expired())
                return;
        }
    }
}

// The flags onmouse gets for a mouse message; 0 for the messages the tree ignores.
int mouseFlags(uint32_t message) {
    const GraphState& gs = graphstate();
    switch (message) {
        case msg::kMouseMove:
            return MOUSEFLAG_MOVE | (gs.leftdown != 0 ? MOUSEFLAG_LEFT : 0) |
                   (gs.rightdown != 0 ? MOUSEFLAG_RIGHT : 0);
        case msg::kLeftButtonDown:
            return MOUSEFLAG_PRESS | MOUSEFLAG_LEFT;
        case msg::kLeftButtonUp:
            return MOUSEFLAG_RELEASE | MOUSEFLAG_LEFT;
        case msg::kRightButtonDown:
            return MOUSEFLAG_PRESS | MOUSEFLAG_RIGHT;
        case msg::kRightButtonUp:
            return MOUSEFLAG_RELEASE | MOUSEFLAG_RIGHT;
        default:
            return 0;
    }
}

}  // namespace

void controldraw(CONTROL* control, PIMAGE target) {
    if (control == nullptr)
        return;
    const Lifetime alive = control->lifetime();
    // The root, and a detached control, paint straight onto the target.
    const bool ownsCanvas = control->parent != nullptr && control->isroot == 0;
    const PIMAGE own = ownsCanvas ? control->canvas : target;
    runtime::onTarget(own, [&] { control->ondraw(own); });
    if (alive.expired())
        return;
    // By index, since a handler may change the array during the walk.
    for (size_t i = 0; i < control->children.size(); ++i) {
        controldraw(control->children[i], own);
        if (alive.expired())
            return;
    }
    if (control->isroot == 0 && control->visible != 0)
        composite(*control, target);
}

void controlupdate(CONTROL* control) {
    if (control == nullptr)
        return;
    const Lifetime alive = control->lifetime();
    if (control->parent == nullptr) {
        control->width = imagewidth();
        control->height = imageheight();
    }
    for (int rank = 0; rank < control->childset.size(); ++rank) {
        controlupdate(control->childset.select(rank));
        if (alive.expired())
            return;
    }
    runtime::onTarget(control->canvas, [&] { control->onupdate(); });
}

void controlmouse(CONTROL* control, int x, int y, int flags) {
    if (control == nullptr)
        return;
    const Lifetime alive = control->lifetime();
    x -= control->x;
    y -= control->y;
    const int consumed =
        runtime::onTarget(control->canvas, [&] { return control->onmouse(x, y, flags); });
    if (alive.expired() || consumed != 0 || control->children.empty())
        return;

    const std::vector<CONTROL*> order = control->children;
    // A capturing child gets the event first; the hit test then starts from it.
    size_t end = order.size();
    for (size_t i = order.size(); i-- > 0;) {
        if (order[i]->capture == 0)
            continue;
        controlmouse(order[i], x, y, flags);
        if (alive.expired())
            return;
        end = i + 1;
        break;
    }
    CONTROL* hit = topmostHit(*control, order, end, x, y);
    if (hit == nullptr)
        return;
    if ((flags & MOUSEFLAG_PRESS) != 0) {
        offerFocus(*control, *hit);
        if (alive.expired() || !isChild(*control, hit))
            return;
    }
    controlmouse(hit, x, y, flags);
}

void controlkeydown(CONTROL* control, int key, int reserved) {
    controlkey(control, &CONTROL::onkeydown, true, key, reserved);
}

void controlkeyup(CONTROL* control, int key, int reserved) {
    controlkey(control, &CONTROL::onkeyup, false, key, reserved);
}

void controlchar(CONTROL* control, int key, int reserved) {
    controlkey(control, &CONTROL::onchar, false, key, reserved);
}

void controlevent(EventRecord& event) {
    if ((event.handled & 1) != 0)
        return;
    event.handled |= 1;
    CONTROL* root = graphstate().treeroot;
    const int key = static_cast<int>(event.wparam);
    switch (event.message) {
        case msg::kKeyDown:
            controlkeydown(root, key, 0);
            return;
        case msg::kKeyUp:
            controlkeyup(root, key, 0);
            return;
        case msg::kChar:
            controlchar(root, key, 0);
            return;
        default:
            break;
    }
    if (const int flags = mouseFlags(event.message); flags != 0) {
        controlmouse(root, msg::paramX(event.lparam), msg::paramY(event.lparam), flags);
    }
}
