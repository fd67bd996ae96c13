// Landing, clearing and scoring as the player sees them: each stage drawn, then a second's
// pause.
#include "game/matching.h"
#include "game/routines.h"
#include "game/scoring.h"
#include "game/screen.h"
#include "game/state.h"
#include "game/texts.h"

namespace {

// The score's digit positions, thousands first, on the score line.
constexpr int kDigitX[4] = {356, 368, 380, 392};
constexpr int kDigitY = 410;

void drawPieceCells(const Piece& piece, bool erase) {
    for (int i : kTestOrder) {
        const Block& block = piece.blocks[i];
        if (erase)
            setbrushcolor(kBlack);
        else
            setCellBrush(block.value);
        fillCell(block.column, block.row);
    }
}

// The score from its first non-zero digit (a score of 0 shows its ones digit); the positions
// left of it are not touched.
void drawScoreDigits(const std::array<int32_t, 4>& digits) {
    int first = 0;
    while (first < 3 && digits[first] == '0')
        ++first;
    for (int i = first; i < 4; ++i)
        drawchar(kDigitX[i], kDigitY, digits[i]);
}

void drawLevel(const Level& level) {
    if (level.shortTarget) {
        setbrushcolor(kBlack);
        fillbar(368, 335, 420, 365);
    }
    setpencolor(level.colour);
    drawtext(330, 260, level.mode);
    drawtext(368, 335, level.target);
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
    setpencolor(kWhite);
    for (int i = 0; i < 4; ++i)
        state.savedScore[i] = static_cast<char>(state.scoreDigits[i]);
    drawScoreDigits(state.scoreDigits);
    if (const Level* level = levelOf(state.progress)) {
        state.fallDelay = level->fallDelay;
        drawLevel(*level);
    }
    delayframe(kPauseMs);
}
