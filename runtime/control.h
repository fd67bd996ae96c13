// The control tree: controls layered over the pages, each painting into a canvas of its own,
// with handlers for the mouse, keys, focus, updates and drawing. The runtime owns one root;
// every frame draws the tree onto the current image, passes the queued input events through it
// and updates it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "runtime/child_set.h"
#include "runtime/image.h"

struct EventRecord;

// Bits of the flags onmouse receives.
inline constexpr int MOUSEFLAG_LEFT = 0x01;     // the left button pressed, released or held
inline constexpr int MOUSEFLAG_RIGHT = 0x02;    // the right button pressed, released or held
inline constexpr int MOUSEFLAG_PRESS = 0x10;    // a button went down
inline constexpr int MOUSEFLAG_RELEASE = 0x20;  // a button went up
inline constexpr int MOUSEFLAG_MOVE = 0x40;     // the pointer moved

// How a control's canvas is put onto its parent's canvas. Any other blend mode leaves the canvas
// out of the picture. Under every mode but BLENDMODE_ROP, hit tests pass through the control
// where its mask is 0.
inline constexpr int BLENDMODE_ROP = 0;     // copied with the control's raster operation
inline constexpr int BLENDMODE_MASKED = 1;  // blended with the mask's low byte as the opacity

class CONTROL {
public:
    // The first control made becomes the runtime's root; every later one is attached to
    // `parent`, or to the root when no parent is given.
    explicit CONTROL(CONTROL* parent = nullptr);
    // Detaches the control and hands its children to its parent (a control without a parent
    // leaves them detached), then frees both images. The runtime forgets it as the root or as
    // the focused control.
    virtual ~CONTROL();
    CONTROL(const CONTROL&) = delete;
    CONTROL& operator=(const CONTROL&) = delete;

    // The handlers, called with the drawing target switched to the control's canvas (ondraw: to
    // the target it is given) and switched back afterwards. The passes allow a handler to change
    // the tree, destroying controls included; onchildadded and onchildremoved run in the middle
    // of a membership change and must leave the tree alone.
    virtual int onmouse(int x, int y, int flags);  // local coordinates; non-zero: consumed
    virtual int onkeydown(int key, int reserved);  // reserved is 0; non-zero: consumed
    virtual int onkeyup(int key, int reserved);    // the result is ignored
    virtual int onchar(int key, int reserved);     // the result is ignored
    virtual int onupdate();                        // once a frame; the result is ignored
    virtual int onfocusrequest();                  // 0 accepts the focus
    virtual void onlosefocus();
    virtual void ondraw(PIMAGE target);  // paints the control: into its canvas, or for the root
                                         // onto the target of the draw pass
    virtual void clearmask();            // every mask pixel to 0
    virtual void onchildadded(CONTROL* child);
    virtual void onchildremoved(CONTROL* child);

    // Expires when the control is destroyed. The passes check it after every handler call, so
    // that they never touch a control a handler has destroyed.
    std::weak_ptr<const void> lifetime() const { return lifetoken_; }

    PIMAGE canvas = nullptr;    // what the control and its children paint into
    PIMAGE mask = nullptr;      // opacity and hit mask for BLENDMODE_MASKED
    int visible = 1;            // drawn, hit and given keys
    int enabled = 1;            // hit and given keys
    int focused = 0;            // given its parent's keys
    int capture = 0;            // given its parent's mouse events before the hit test
    int zorder = 0;             // first key of the drawing order: higher is drawn later, on top
    int serial = 0;             // second key of the drawing order, handed out by the parent
    int nextserial = 1;         // the serial the next child attached or focused here gets
    CONTROL* parent = nullptr;  // null for the root and for detached controls
    ChildSet childset;          // the children by address
    std::vector<CONTROL*> children;  // the children in drawing order, bottom first
    int x = 0;                       // the top-left corner in the parent's canvas
    int y = 0;
    int width = 1;  // the extent hit tests use; the root's follows the current image
    int height = 1;
    uint32_t rop = SRCCOPY;  // raster operation for BLENDMODE_ROP
    int blendmode = BLENDMODE_ROP;
    int isroot = 0;

private:
    std::shared_ptr<char> lifetoken_ = std::make_shared<char>();
};

//------------------------------------------------------------------------------------------------
// Membership
//------------------------------------------------------------------------------------------------
// Attaches child to parent, taking it from its old parent first, and puts it on top of the
// children of its z-order. Refused when it would put a control inside its own subtree.
void addchild(CONTROL* parent, CONTROL* child);
// Detaches child from parent: 1 when it was parent's child, otherwise 0.
int removechild(CONTROL* parent, CONTROL* child);

//------------------------------------------------------------------------------------------------
// The passes (a null control is ignored)
//------------------------------------------------------------------------------------------------
// Paints the subtree into the canvases and composites the control onto target (0: the current
// image, counted as a draw on it).
void controldraw(CONTROL* control, PIMAGE target);
// Runs the update handlers of the subtree, children first; a control without a parent takes the
// current image's size.
void controlupdate(CONTROL* control);
// Passes a mouse event at (x, y) of the control's parent to the control and on to the topmost
// child hit; a press gives that child the focus.
void controlmouse(CONTROL* control, int x, int y, int flags);
// Passes a key to the control and on to all its visible, enabled, focused children; key-down
// stops at a control that consumes it.
void controlkeydown(CONTROL* control, int key, int reserved);
void controlkeyup(CONTROL* control, int key, int reserved);
void controlchar(CONTROL* control, int key, int reserved);
// Passes a queued event through the tree from the root, once: the event is marked, and a marked
// event is left alone.
void controlevent(EventRecord& event);

// The runtime's root, made by the first call (initgraph's) and destroyed at process exit.
CONTROL* ensureControlRoot();
