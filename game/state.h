// The game's state: the board of cells, the falling and the next piece, the dealer, the score
// and the counters that drive levels and special blocks. One game at a time, on the game's
// thread only.
#pragma once

#include <array>
#include <cstdint>

// A cell of the board: EMPTY, a colour index 0..6, or FLOOR.
using Cell = int32_t;

inline constexpr Cell EMPTY = -1;
inline constexpr Cell RED = 0;
inline constexpr Cell GREEN = 1;
inline constexpr Cell BLUE = 2;
inline constexpr Cell YELLOW = 3;
inline constexpr Cell ORANGE = 4;
inline constexpr Cell PURPLE = 5;
inline constexpr Cell GREY = 6;
inline constexpr Cell FLOOR = 11;

// Colours a piece can have, red to purple.
inline constexpr int kColours = 6;

// The kinds of special block. Kind 0 is none announced; drawn, it is the black square that
// erases a special block.
enum SpecialKind : int32_t {
    kNoSpecial = 0,
    kEraseSpecial = 0,
    WhiteDisc = 7,
    WhiteSquare = 8,
    WhiteRing = 9,
    WhiteFrame = 10,
};

// The well is columns 0..8 and rows 1..18; row 0 is a hidden row above it, row 19 the floor.
inline constexpr int kColumns = 9;
inline constexpr int kRows = 20;
inline constexpr int kTopRow = 0;
inline constexpr int kBottomRow = 18;
inline constexpr int kFloorRow = 19;

// 9 columns x 20 rows of cells, stored column by column.
class Board {
public:
    static bool contains(int column, int row) {
        return column >= 0 && column < kColumns && row >= 0 && row < kRows;
    }
    Cell& at(int column, int row) { return cells_[column * kRows + row]; }
    Cell at(int column, int row) const { return cells_[column * kRows + row]; }
    // Whether a move may enter the cell: off the board (a row above 0 included) counts as taken.
    bool isFree(int column, int row) const {
        return contains(column, row) && at(column, row) == EMPTY;
    }

private:
    std::array<Cell, kColumns * kRows> cells_{};
};

struct Block {
    int32_t column = 0;
    int32_t row = 0;  // -2 and -1 are above the board while a piece spawns
    int32_t value = 0;
};

// Three blocks in the fixed order b0, b1, b2.
struct Piece {
    std::array<Block, 3> blocks{};
};
// The order a piece's blocks are tested, settled and drawn in: b2 first, then b1, then b0.
inline constexpr int kTestOrder[3] = {2, 1, 0};

// The seven counters that decide every piece; there is no random number anywhere.
struct PieceDealer {
    int32_t colourBase = 0;   // 0..5, the colour of b0
    int32_t colourStep1 = 0;  // 0..5, added for b1
    int32_t colourStep2 = 0;  // 0..5, added for b2
    int32_t shape = 0;        // 0..7
    int32_t shapeStep = 0;    // 0..7
    int32_t column = 2;       // 2..5, the base column
    int32_t columnStep = 0;   // 0..3
};

// The cells whose lines are to be tested; the list ends at the first entry in row 0.
struct CheckEntry {
    int32_t column = 0;
    int32_t row = 0;
};
inline constexpr int kCheckListSize = 160;
using CheckList = std::array<CheckEntry, kCheckListSize>;

// One flag per cell of rows 0..18: 1 keep, 0 marked for clearing.
class ClearMarks {
public:
    static constexpr int kMarkedRows = 19;
    int32_t& at(int column, int row) { return flags_[column * kMarkedRows + row]; }
    void keepAll() { flags_.fill(1); }

private:
    std::array<int32_t, kColumns * kMarkedRows> flags_{};
};

// Where the falling special block is.
struct Special {
    int32_t column = 0;
    int32_t row = 0;
};

// Everything a game changes; startGame resets it.
struct GameState {
    Board board;
    Piece current;
    Piece next;
    PieceDealer dealer;
    CheckList checkList{};
    ClearMarks clearMarks;
    std::array<int32_t, kColumns> lowestCleared{};  // per column, 0 when nothing was cleared
    // The decimal digits of the score as characters, thousands first, and the copy the last
    // score redraw made for the game-over screen.
    std::array<int32_t, 4> scoreDigits{'0', '0', '0', '0'};
    std::array<char, 4> savedScore{'0', '0', '0', '0'};
    int32_t progress = -7;  // 2 x points - 7: levels, grey pieces and special blocks follow it
    int32_t greyThreshold = 83;
    int32_t fallDelay = 60;  // milliseconds per 3-pixel step of a falling block
    int32_t specialIndex = 0;
    SpecialKind pendingSpecial = kNoSpecial;  // the announced kind
    Special special;
};

// The one game, and the menu frames counted since the program started (never reset: they seed
// the dealer of every game).
GameState& game();
int32_t& menuFrames();
