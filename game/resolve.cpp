// Landing, clearing and scoring as the player sees them: each stage drawn, then a second's
// pause.
#include "game/hud.h"
#include "game/matching.h"
#include "game/routines.h"
#include "game/scoring.h"
#include "game/screen.h"
#include "game/state.h"
#include "runtime/graph.h"

namespace {

void drawPieceCells(const Piece& piece, bool erase) {
    for (int i : kTestOrder) {
        const Block& block = piece.blocks[i];
        drawCell(erase ? EMPTY : block.value, block.column, block.row);
    }
}

}  // namespace

bool settlePiece() {
    GameState& state = game();
    drawPieceCells(state.current, false);
    delayframe(kPauseMs);
    drawPieceCells(state.current, true);
    const bool rests = settle(state);
    drawPieceCells(state.current, false);
    delayframe(kPauseMs);
    return rests;
}

void resolveMatches() {
    GameState& state = game();
    while (markLines(state)) {
        eraseCells(clearMarked(state));
        delayframe(kPauseMs);
        drawGravity(applyGravity(state));
        redrawScore();
    }
}

void redrawScore() {
    GameState& state = game();
    const Level* level = recordScore(state);
    drawScore(state.scoreDigits);
    if (level != nullptr)
        drawLevel(*level);
    delayframe(kPauseMs);
}
