#include "tools/replay/autoplayer.h"

#include <algorithm>
#include <string>
#include <thread>
#include <tuple>

#include "game/colours.h"
#include "game/falling.h"
#include "game/special_rules.h"
#include "tools/replay/placement.h"

namespace replay {

namespace {

bool sameDeal(const PieceDealer& a, const PieceDealer& b) {
    const auto fields = [](const PieceDealer& d) {
        return std::tie(d.colourBase, d.colourStep1, d.colourStep2, d.shape, d.shapeStep, d.column,
                        d.columnStep);
    };
    return fields(a) == fields(b);
}

// The game-over screen: the well's frame is gone and the green-ringed back button shows.
bool showsGameOver(const platform::headless::Frame& frame) {
    return frame.pixel(38, 49) != kWhite && frame.pixel(188, 418) == kGreen &&
           frame.pixel(188, 298) != kGreen;
}

// The colour chooser's box over the well: its white frame, left and right.
bool showsChooser(const platform::headless::Frame& frame) {
    return frame.pixel(71, 121) == kWhite && frame.pixel(278, 331) == kWhite;
}

bool samePiece(const Piece& a, const Piece& b) {
    return std::equal(a.blocks.begin(), a.blocks.end(), b.blocks.begin(),
                      [](const Block& x, const Block& y) {
                          return x.column == y.column && x.row == y.row && x.value == y.value;
                      });
}

}  // namespace

AutoPlayer::AutoPlayer(int pieces, TypeKey type) : piecesToPlay_(pieces), type_(std::move(type)) {}

void AutoPlayer::onFrame(const platform::headless::Frame& frame) {
    if (finished_)
        return;
    if (showsGameOver(frame)) {
        type_("space");
        finished_ = lost_ = true;
        return;
    }
    if (choosing_) {
        chooseColourOn(frame);
        return;
    }
    const GameState& state = game();
    if (state.pendingSpecial != 0 && state.specialIndex != specials_) {
        dropSpecial(state);
        return;
    }
    if (!dealt_ || !sameDeal(*dealt_, state.dealer))
        startPiece(state);
    if (steering_)
        steerPiece(state);
}

void AutoPlayer::startPiece(const GameState& state) {
    dealt_ = state.dealer;
    awaiting_.reset();
    if (++pieces_ > piecesToPlay_) {
        --pieces_;
        type_("q");
        finished_ = true;
        return;
    }
    const Placement placement = choosePlacement(state);
    rotationsLeft_ = placement.rotations;
    targetColumn_ = state.current.blocks[0].column + placement.shift;
    steering_ = true;
}

// Every wait shows its frame twice, as it starts and as it ends, and the game reads the key
// typed at the first only after the second: a key is typed once the last one has acted.
void AutoPlayer::steerPiece(const GameState& state) {
    if (awaiting_ && samePiece(*awaiting_, state.current))
        return;
    awaiting_.reset();
    if (landingTest(state) != kMayFall) {
        steering_ = false;
        return;
    }
    if (const char* key = pieceKey(state)) {
        awaiting_ = state.current;
        type_(key);
    }
}

// The next key for the falling piece: its rotations, then its moves, then the drop. None while
// it is still too high to move; a drop where it is when the well stands in its way.
const char* AutoPlayer::pieceKey(const GameState& state) {
    if (rotationsLeft_ > 0) {
        --rotationsLeft_;
        return "w";
    }
    const int column = state.current.blocks[0].column;
    if (column != targetColumn_) {
        const int direction = targetColumn_ < column ? -1 : 1;
        GameState trial = state;
        if (movePieceSideways(trial, direction))
            return direction < 0 ? "a" : "d";
        if (tooHighToMove(state.current))
            return nullptr;
    }
    steering_ = false;
    return "s";
}

void AutoPlayer::dropSpecial(const GameState& state) {
    specials_ = state.specialIndex;
    choosing_ = state.pendingSpecial == WhiteFrame;
    type_("s");
}

// The chooser waits for its key without a time limit, but a key typed before it shows could
// come too late to count; so the key comes when it shows.
void AutoPlayer::chooseColourOn(const platform::headless::Frame& frame) {
    if (!showsChooser(frame))
        return;
    choosing_ = false;
    type_(std::string(1, kColourKeys[chooseColour(game())]).c_str());
}

void watchGameFrames(std::function<void(const platform::headless::Frame&)> watcher) {
    if (!watcher) {
        platform::headless::observeFrames(nullptr);
        return;
    }
    const std::thread::id gameThread = std::this_thread::get_id();
    platform::headless::observeFrames(
        [watcher = std::move(watcher), gameThread](const platform::headless::Frame& frame) {
            // The window thread presents too, from its refresh timer, while the game sleeps.
            if (std::this_thread::get_id() == gameThread)
                watcher(frame);
        });
}

}  // namespace replay
