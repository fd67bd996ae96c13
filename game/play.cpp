// One game: pieces dealt and previewed, falling ten 3-pixel steps a row with one key read per
// step, landing, and the special blocks that fall between them.
#include "game/dealer.h"
#include "game/falling.h"
#include "game/routines.h"
#include "game/scoring.h"
#include "game/screen.h"
#include "game/state.h"
#include "runtime/graph.h"

namespace {

constexpr int kStepsPerRow = 10;
// The special block starts above the middle column and shows in the preview's middle.
constexpr int kSpecialStartColumn = 4;
constexpr int kPreviewY = 126;

// How a game ends, or that it goes on.
enum class Outcome { Continues, Lost, Quit };

// The low byte of the next key, or 0 when none is waiting.
char nextKey() {
    if (keyready() == 0)
        return 0;
    return static_cast<char>(readkey() & 0xFF);
}

// The preview rectangle of each block of each shape: left and top; blocks are 30 square.
struct PreviewBlock {
    int left;
    int top;
};
constexpr PreviewBlock kPreview[8][3] = {
    {{380, 112}, {350, 142}, {380, 142}}, {{350, 112}, {350, 142}, {380, 142}},
    {{350, 112}, {380, 112}, {380, 142}}, {{350, 112}, {380, 112}, {350, 142}},
    {{365, 96}, {365, 126}, {365, 156}},  {{365, 96}, {365, 126}, {365, 156}},
    {{335, 126}, {365, 126}, {395, 126}}, {{335, 126}, {365, 126}, {395, 126}},
};

// Draws (colour set) or erases (black) the visible part of the falling blocks at their pixel
// tops; a block still partly above the well is cut off at its top line.
void drawFallingBlocks(const Piece& piece, const int (&tops)[3], bool erase) {
    for (int i = 0; i < 3; ++i) {
        const Block& block = piece.blocks[i];
        if (tops[i] + kCellSize <= kWellTop)
            continue;
        drawBlock(erase ? EMPTY : block.value, cellLeft(block.column), tops[i], kWellTop);
    }
}

void clearForMenu() {
    clearimage();
}

// The current piece falls row by row until it lands. Lost and Quit have shown (and cleared)
// what they need to.
Outcome fallPiece() {
    GameState& state = game();
    for (;;) {
        const LandingResult landing = landingTest(state);
        if (landing == kOverflowed) {
            showGameOver();
            return Outcome::Lost;
        }
        if (landing == kLanded)
            return Outcome::Continues;
        int tops[3];
        for (int i = 0; i < 3; ++i)
            tops[i] = cellTop(state.current.blocks[i].row);
        fallOneRow(state.current);
        for (int step = 0; step < kStepsPerRow; ++step) {
            for (int& top : tops)
                top += kBlockStep;
            drawFallingBlocks(state.current, tops, false);
            delayframe(state.fallDelay);
            drawFallingBlocks(state.current, tops, true);
            const StepResult result = readFallKey();
            if (result == kDropped)
                break;
            if (result == kDropEndedGame || result == kQuit) {
                clearForMenu();
                return result == kQuit ? Outcome::Quit : Outcome::Lost;
            }
        }
    }
}

// The announced special block falls from above the middle column and acts where it rests.
Outcome fallSpecial() {
    GameState& state = game();
    ++state.specialIndex;
    drawNextPreview();
    state.special = Special{kSpecialStartColumn, kTopRow};
    if (state.board.at(kSpecialStartColumn, kTopRow + 1) != EMPTY) {
        showGameOver();
        return Outcome::Lost;
    }
    for (bool falling = true; falling;) {
        ++state.special.row;
        int y = cellTop(state.special.row - 1);
        for (int step = 0; step < kStepsPerRow && falling; ++step) {
            y += kBlockStep;
            drawSpecial(state.pendingSpecial, state.special.column, y);
            delayframe(state.fallDelay);
            drawSpecial(kEraseSpecial, state.special.column, y);
            const StepResult result = readSpecialKey();
            if (result == kQuit) {
                clearForMenu();
                return Outcome::Quit;
            }
            falling = result != kDropped;
        }
        falling = falling && specialMayFall(state);
    }
    applySpecial();
    delayframe(kPauseMs);
    state.pendingSpecial = kNoSpecial;
    return Outcome::Continues;
}

}  // namespace

void startGame() {
    clearimage();
    resetGame(game(), menuFrames());
    drawPlayingScreen();
}

void dealNextPiece() {
    dealNext(game());
    drawNextPreview();
}

void drawNextPreview() {
    const GameState& state = game();
    clearPreview();
    for (int i = 0; i < 3; ++i) {
        const PreviewBlock& at = kPreview[state.dealer.shape][i];
        drawBlock(state.next.blocks[i].value, at.left, at.top);
    }
}

StepResult readFallKey() {
    GameState& state = game();
    switch (nextKey()) {
        case 'a':
            movePieceSideways(state, -1);
            return kKeepFalling;
        case 'd':
            movePieceSideways(state, +1);
            return kKeepFalling;
        case 'w':
            rotateColours(state.current);
            return kKeepFalling;
        case 's':
            if (dropPiece(state) == kOverflowed) {
                showGameOver();
                return kDropEndedGame;
            }
            return kDropped;
        case 'q':
            return kQuit;
        default:
            return kKeepFalling;
    }
}

StepResult readSpecialKey() {
    GameState& state = game();
    switch (nextKey()) {
        case 'a':
            moveSpecialSideways(state, -1);
            return kKeepFalling;
        case 'd':
            moveSpecialSideways(state, +1);
            return kKeepFalling;
        case 's':
            dropSpecial(state);
            return kDropped;
        case 'q':
            return kQuit;
        default:
            return kKeepFalling;
    }
}

void playGame() {
    GameState& state = game();
    startGame();
    for (;;) {
        dealNextPiece();
        if (const SpecialKind kind = specialDue(state.progress, state.specialIndex)) {
            state.pendingSpecial = kind;
            drawSpecial(kind, kPreviewColumn, kPreviewY);
        }
        if (fallPiece() != Outcome::Continues)
            return;
        if (!settlePiece()) {
            // A block came to rest above the well: it has overflowed.
            showGameOver();
            return;
        }
        resolveMatches();
        delayframe(kPauseMs);
        state.current = state.next;
        if (state.pendingSpecial != kNoSpecial && fallSpecial() != Outcome::Continues)
            return;
    }
}
