// The control tree: a frame with the root alone, events, hit tests, focus, key dispatch,
// membership, handlers that destroy controls, and compositing.
#include "runtime/control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/messages.h"
#include "runtime/event_queue.h"
#include "runtime/graph_state.h"
#include "tests/support/pixels.h"
#include "tests/support/test_page.h"

namespace {

using Log = std::vector<std::string>;

constexpr RGBVAL kRed = 0xFF0000;
constexpr RGBVAL kGreen = 0x00FF00;
constexpr RGBVAL kBlue = 0x0000FF;
constexpr int kLeftPress = MOUSEFLAG_PRESS | MOUSEFLAG_LEFT;

// A control that notes every handler call in a shared log as "<name> <handler>".
class Probe : public CONTROL {
public:
    Probe(Log& log, std::string name, CONTROL* parent = nullptr)
        : CONTROL(parent), log_(log), name_(std::move(name)) {}

    int onmouse(int x, int y, int flags) override {
        note("mouse");
        mouseAt = {x, y};
        mouseFlags = flags;
        if (onMouseAction)
            onMouseAction();
        return 0;
    }
    int onkeydown(int, int) override { return note("keydown", keyDownResult); }
    int onkeyup(int, int) override { return note("keyup"); }
    int onchar(int, int) override { return note("char"); }
    int onupdate() override { return note("update"); }
    int onfocusrequest() override { return note("focusrequest"); }
    void onlosefocus() override { note("losefocus"); }
    void ondraw(PIMAGE target) override {
        note("draw");
        drawArgument = target;
    }
    void onchildadded(CONTROL*) override { note("added"); }
    void onchildremoved(CONTROL*) override { note("removed"); }

    int keyDownResult = 0;
    std::function<void()> onMouseAction;
    std::pair<int, int> mouseAt{-1, -1};
    int mouseFlags = 0;
    PIMAGE drawArgument = nullptr;
    PIMAGE drawingOn = nullptr;  // the image the last handler call would have drawn on

private:
    int note(const char* handler, int result = 0) {
        log_.push_back(name_ + " " + handler);
        drawingOn = graphstate().target;
        return result;
    }

    Log& log_;
    std::string name_;
};

// Each test gets a 40 x 30 page and a root of its own, whatever root the process already has.
class ControlTree : public ::testing::Test {
protected:
    ControlTree() : savedRoot_(std::exchange(graphstate().treeroot, nullptr)) {
        root = std::make_unique<Probe>(log, "root");
    }
    ~ControlTree() override {
        root.reset();
        graphstate().treeroot = savedRoot_;
        graphstate().focuscontrol = nullptr;
    }

    std::unique_ptr<Probe> probe(const std::string& name, int x, int y, int width, int height,
                                 CONTROL* parent = nullptr) {
        auto control = std::make_unique<Probe>(log, name, parent);
        control->x = x;
        control->y = y;
        control->width = width;
        control->height = height;
        return control;
    }
    Log takeLog() { return std::exchange(log, {}); }

    // The page comes first: opening the window makes the process's own root.
    TestPage page{40, 30};
    CONTROL* const savedRoot_;
    Log log;
    std::unique_ptr<Probe> root;
};

// Makes the control masked, with its mask set (opaque) in the left `columns` columns only.
void maskLeftColumns(CONTROL& control, int width, int height, int columns) {
    control.blendmode = BLENDMODE_MASKED;
    control.mask->createimage(width, height);
    setbrushcolor(0xFF, control.mask);
    fillbar(0, 0, columns, height, control.mask);
}

Log sorted(Log log) {
    std::sort(log.begin(), log.end());
    return log;
}

TEST_F(ControlTree, AFrameWithTheRootAloneRunsOnlyTheRootsHandlers) {
    EXPECT_EQ(graphstate().treeroot, root.get());
    PIMAGE elsewhere = newimage(7, 5);
    settarget(elsewhere);
    controldraw(graphstate().treeroot, nullptr);
    EXPECT_EQ(takeLog(), Log{"root draw"});
    EXPECT_EQ(root->drawArgument, nullptr);
    EXPECT_EQ(root->drawingOn, page.image());
    EXPECT_EQ(gettarget(), elsewhere);
    // Nothing was composited: no draw on the page was counted.
    EXPECT_EQ(graphstate().refreshcountdown, kRefreshFresh);

    controlupdate(root.get());
    EXPECT_EQ(takeLog(), Log{"root update"});
    EXPECT_EQ(root->drawingOn, root->canvas);
    EXPECT_EQ(std::pair(root->width, root->height), std::pair(7, 5));
    settarget(nullptr);
    controlupdate(root.get());
    EXPECT_EQ(std::pair(root->width, root->height), std::pair(40, 30));
    freeimage(elsewhere);
}

TEST_F(ControlTree, AnEventPassesThroughTheTreeOnce) {
    EventRecord key{.message = msg::kKeyDown, .wparam = 'k'};
    controlevent(key);
    controlevent(key);
    EXPECT_EQ(key.handled, 1u);
    EventRecord marked{.message = msg::kChar, .wparam = 'k', .handled = 1};
    controlevent(marked);
    EventRecord ignored{.message = msg::kMouseWheel};
    controlevent(ignored);
    EXPECT_EQ(ignored.handled, 1u);
    EXPECT_EQ(takeLog(), Log{"root keydown"});
}

TEST_F(ControlTree, MouseMessagesBecomeFlagsAtSignedPositions) {
    struct Case {
        uint32_t message;
        int leftdown, rightdown, flags;
    };
    GraphState& gs = graphstate();
    for (const Case& c :
         {Case{msg::kMouseMove, 0, 0, 0x40}, Case{msg::kMouseMove, 1, 0, 0x41},
          Case{msg::kMouseMove, 1, 1, 0x43}, Case{msg::kLeftButtonDown, 0, 0, 0x11},
          Case{msg::kLeftButtonUp, 0, 0, 0x21}, Case{msg::kRightButtonDown, 0, 0, 0x12},
          Case{msg::kRightButtonUp, 0, 0, 0x22}}) {
        gs.leftdown = c.leftdown;
        gs.rightdown = c.rightdown;
        EventRecord event{.message = c.message,
                          .lparam = static_cast<uint32_t>(msg::pointParam(-3, 12))};
        controlevent(event);
        EXPECT_EQ(root->mouseFlags, c.flags) << "message " << c.message;
        EXPECT_EQ(root->mouseAt, std::pair(-3, 12));
    }
    gs.leftdown = 0;
    gs.rightdown = 0;
}

TEST_F(ControlTree, TheControlThatTookTheFocusLastIsDrawnLastAndHitFirst) {
    // A higher z-order stays on top whatever the attachment and focus order.
    auto upper = probe("upper", 30, 20, 5, 5);
    upper->zorder = 1;
    auto a = probe("a", 1, 1, 10, 10);
    auto b = probe("b", 5, 0, 10, 10);
    takeLog();
    controlmouse(root.get(), 7, 2, kLeftPress);
    EXPECT_EQ(takeLog(), (Log{"root mouse", "b focusrequest", "b mouse"}));
    EXPECT_EQ(b->drawingOn, b->canvas);
    EXPECT_EQ(gettarget(), nullptr);

    controlmouse(root.get(), 2, 2, kLeftPress);
    controlmouse(root.get(), 7, 2, MOUSEFLAG_MOVE);
    EXPECT_EQ(a->mouseAt, std::pair(6, 1));
    EXPECT_EQ(takeLog(), (Log{"root mouse", "a focusrequest", "b losefocus", "a mouse",
                              "root mouse", "a mouse"}));
    controldraw(root.get(), nullptr);
    EXPECT_EQ(takeLog(), (Log{"root draw", "b draw", "a draw", "upper draw"}));
}

TEST_F(ControlTree, AMaskedControlIsHitOnlyWhereItsMaskIsSet) {
    auto below = probe("below", 0, 0, 10, 10);
    auto masked = probe("masked", 0, 0, 20, 10);
    maskLeftColumns(*masked, 10, 10, 5);
    takeLog();
    controlmouse(root.get(), 2, 2, MOUSEFLAG_MOVE);
    controlmouse(root.get(), 7, 2, MOUSEFLAG_MOVE);
    // Inside the rectangle but beyond the mask: no hit.
    controlmouse(root.get(), 15, 2, MOUSEFLAG_MOVE);
    EXPECT_EQ(takeLog(),
              (Log{"root mouse", "masked mouse", "root mouse", "below mouse", "root mouse"}));
}

TEST_F(ControlTree, PressesMoveTheFocusAlongTheTree) {
    auto outer = probe("outer", 0, 0, 20, 20);
    auto inner = probe("inner", 2, 2, 5, 5, outer.get());
    auto other = probe("other", 25, 0, 10, 10);
    takeLog();
    controlmouse(root.get(), 3, 4, kLeftPress);
    EXPECT_EQ(inner->mouseAt, std::pair(1, 2));
    EXPECT_EQ(graphstate().focuscontrol, inner.get());
    EXPECT_TRUE(outer->focused && inner->focused);
    takeLog();

    controlmouse(root.get(), 26, 1, kLeftPress);
    EXPECT_EQ(takeLog(), (Log{"root mouse", "other focusrequest", "inner losefocus",
                              "outer losefocus", "other mouse"}));
    EXPECT_FALSE(outer->focused || inner->focused);
    EXPECT_EQ(graphstate().focuscontrol, other.get());
}

TEST_F(ControlTree, KeyDownStopsWhereConsumedAndTheOtherKeysDoNot) {
    auto eager = probe("eager", 0, 0, 1, 1);
    auto nested = probe("nested", 0, 0, 1, 1, eager.get());
    auto plain = probe("plain", 0, 0, 1, 1);
    auto unfocused = probe("unfocused", 0, 0, 1, 1);
    auto hidden = probe("hidden", 0, 0, 1, 1);
    eager->keyDownResult = 1;
    eager->focused = nested->focused = plain->focused = hidden->focused = 1;
    hidden->visible = 0;
    takeLog();
    controlkeydown(root.get(), 'k', 0);
    EXPECT_EQ(sorted(takeLog()), (Log{"eager keydown", "plain keydown", "root keydown"}));
    controlkeyup(root.get(), 'k', 0);
    EXPECT_EQ(sorted(takeLog()), (Log{"eager keyup", "nested keyup", "plain keyup", "root keyup"}));
    controlchar(root.get(), 'k', 0);
    EXPECT_EQ(sorted(takeLog()), (Log{"eager char", "nested char", "plain char", "root char"}));
}

TEST_F(ControlTree, RenumberingPastTheSerialLimitKeepsTheDrawingOrder) {
    auto a = probe("a", 0, 0, 5, 5);
    auto b = probe("b", 10, 0, 5, 5);
    auto c = probe("c", 20, 0, 5, 5);
    controlmouse(root.get(), 1, 1, kLeftPress);
    const std::vector<CONTROL*> before{b.get(), c.get(), a.get()};
    ASSERT_EQ(root->children, before);
    root->nextserial = 0x800001;
    auto d = probe("d", 30, 0, 5, 5);
    EXPECT_EQ(root->children, (std::vector<CONTROL*>{b.get(), c.get(), a.get(), d.get()}));
    EXPECT_EQ((std::vector{b->serial, c->serial, a->serial, d->serial}), (std::vector{1, 2, 3, 5}));
    EXPECT_EQ(root->nextserial, 6);
}

TEST_F(ControlTree, ParentLinksStaySoundThroughCyclesRemovalAndTheRootsEnd) {
    auto a = probe("a", 0, 0, 5, 5);
    auto b = probe("b", 0, 0, 5, 5, a.get());
    addchild(b.get(), a.get());
    addchild(a.get(), a.get());
    EXPECT_EQ(a->parent, root.get());
    EXPECT_EQ(removechild(root.get(), b.get()), 0);
    EXPECT_EQ(removechild(a.get(), b.get()), 1);
    EXPECT_EQ(removechild(a.get(), b.get()), 0);
    EXPECT_EQ(b->parent, nullptr);

    root.reset();
    EXPECT_EQ(graphstate().treeroot, nullptr);
    EXPECT_EQ(a->parent, nullptr);
}

TEST_F(ControlTree, DestroyingAControlHandsItsChildrenToItsParent) {
    auto middle = probe("middle", 0, 0, 10, 10);
    std::vector<std::unique_ptr<Probe>> kids;
    for (int i = 0; i < 5; ++i)
        kids.push_back(probe("kid", i, 0, 1, 1, middle.get()));
    const std::vector<CONTROL*> order = middle->children;
    controlmouse(root.get(), 1, 1, kLeftPress);
    ASSERT_EQ(graphstate().focuscontrol, middle.get());
    takeLog();

    middle.reset();
    EXPECT_EQ(takeLog(), (Log{"root removed", "root added", "root added", "root added",
                              "root added", "root added"}));
    EXPECT_EQ(root->children, order);
    EXPECT_EQ(root->childset.size(), 5);
    for (const auto& kid : kids)
        EXPECT_EQ(kid->parent, root.get());
    EXPECT_EQ(graphstate().focuscontrol, nullptr);
}

TEST_F(ControlTree, MouseHandlersMayDestroyControlsDuringDispatch) {
    auto bottom = probe("bottom", 0, 0, 10, 10);
    auto middle = probe("middle", 0, 0, 10, 10);
    auto catcher = probe("catcher", 20, 20, 5, 5);
    catcher->capture = 1;
    catcher->onMouseAction = [&] { middle.reset(); };
    bottom->onMouseAction = [&] { bottom.reset(); };
    takeLog();
    controlmouse(root.get(), 2, 2, kLeftPress);
    EXPECT_EQ(takeLog(), (Log{"root mouse", "catcher mouse", "root removed", "bottom focusrequest",
                              "bottom mouse", "root removed"}));
    EXPECT_EQ(graphstate().focuscontrol, nullptr);
    EXPECT_EQ(root->children, std::vector<CONTROL*>{catcher.get()});
}

TEST_F(ControlTree, CanvasesAreCompositedOntoTheirParentsCanvas) {
    // Each canvas is filled with its background colour; the probes paint nothing over it.
    const auto paint = [](CONTROL& control, int width, int height, RGBVAL color) {
        control.canvas->createimage(width, height);
        setbackcolor(color, control.canvas);
    };
    auto box = probe("box", 4, 5, 10, 8);
    paint(*box, 10, 8, kRed);
    auto inset = probe("inset", 1, 1, 2, 2, box.get());
    paint(*inset, 2, 2, kBlue);
    auto blended = probe("blended", 20, 0, 6, 6);
    paint(*blended, 6, 6, kGreen);
    maskLeftColumns(*blended, 6, 6, 3);
    auto hidden = probe("hidden", 30, 20, 4, 4);
    paint(*hidden, 4, 4, kRed);
    hidden->blendmode = 2;

    controldraw(root.get(), nullptr);
    EXPECT_TRUE(matchesPicture(
        page.image(),
        [](int x, int y) -> RGBVAL {
            if (x >= 5 && x < 7 && y >= 6 && y < 8)
                return kBlue;
            if (x >= 4 && x < 14 && y >= 5 && y < 13)
                return kRed;
            if (x >= 20 && x < 23 && y < 6)
                return kGreen;
            return 0;
        },
        "control_composite"));
}

}  // namespace
