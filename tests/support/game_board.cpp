#include "tests/support/game_board.h"

namespace {

constexpr const char* kLetters = "RGBYOP#";

}  // namespace

char letterOf(Cell value) {
    if (value == EMPTY)
        return '.';
    if (value == FLOOR)
        return '_';
    if (value >= RED && value <= GREY)
        return kLetters[value];
    return '?';
}

Cell cellOf(char letter) {
    for (Cell value = RED; value <= GREY; ++value) {
        if (kLetters[value] == letter)
            return value;
    }
    return EMPTY;
}

Rows withEmptyAbove(int count, Rows rows) {
    const int missing = count - static_cast<int>(rows.size());
    if (missing > 0)
        rows.insert(rows.begin(), static_cast<size_t>(missing), ".........");
    return rows;
}

void setRows(Board& board, int lastRow, const Rows& rows) {
    int row = lastRow - static_cast<int>(rows.size()) + 1;
    for (const std::string& letters : rows) {
        for (int column = 0; column < kColumns && column < static_cast<int>(letters.size());
             ++column) {
            board.at(column, row) = cellOf(letters[column]);
        }
        ++row;
    }
}

Rows rowsOf(const Board& board, int firstRow, int lastRow) {
    Rows rows;
    for (int row = firstRow; row <= lastRow; ++row) {
        std::string letters;
        for (int column = 0; column < kColumns; ++column)
            letters += letterOf(board.at(column, row));
        rows.push_back(letters);
    }
    return rows;
}

void clearBoard(Board& board) {
    for (int column = 0; column < kColumns; ++column) {
        fillColumn(board, column, kTopRow, kBottomRow, EMPTY);
        board.at(column, kFloorRow) = FLOOR;
    }
}

void fillColumn(Board& board, int column, int firstRow, int lastRow, Cell value) {
    for (int row = firstRow; row <= lastRow; ++row)
        board.at(column, row) = value;
}

Piece makePiece(Block b0, Block b1, Block b2) {
    Piece piece;
    piece.blocks = {b0, b1, b2};
    return piece;
}

Piece shifted(Piece piece, int columns, int rows) {
    for (Block& block : piece.blocks) {
        block.column += columns;
        block.row += rows;
    }
    return piece;
}

bool operator==(const Piece& a, const Piece& b) {
    for (int i = 0; i < 3; ++i) {
        const Block& x = a.blocks[i];
        const Block& y = b.blocks[i];
        if (x.column != y.column || x.row != y.row || x.value != y.value)
            return false;
    }
    return true;
}

void PrintTo(const Piece& piece, std::ostream* out) {
    for (const Block& block : piece.blocks)
        *out << "(" << block.column << ", " << block.row << ", " << letterOf(block.value) << ") ";
}
