// Boards written as rows of letters, so that a test shows the well it sets up and the well it
// expects: one character per column, '.' empty, R G B Y O P for the colours, '#' grey.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "game/state.h"

using Rows = std::vector<std::string>;

// The letter of a cell value, and back; FLOOR reads '_', anything unknown '?'.
char letterOf(Cell value);
Cell cellOf(char letter);

// The rows with empty rows put above them to make `count` rows in all.
Rows withEmptyAbove(int count, Rows rows);

// Writes the rows into the board so that the last one is `lastRow`; the rest of the board is
// left as it is.
void setRows(Board& board, int lastRow, const Rows& rows);
// The rows first..last of the board, as letters.
Rows rowsOf(const Board& board, int firstRow, int lastRow);

// An empty well with its floor, as a game starts.
void clearBoard(Board& board);
// Fills a column's rows first..last with one value.
void fillColumn(Board& board, int column, int firstRow, int lastRow, Cell value);

// A piece from its three blocks, b0 first.
Piece makePiece(Block b0, Block b1, Block b2);
// Every block of the piece moved by whole rows and columns.
Piece shifted(Piece piece, int columns, int rows);

// For EXPECT_EQ on pieces, with the blocks printed as (column, row, letter).
bool operator==(const Piece& a, const Piece& b);
void PrintTo(const Piece& piece, std::ostream* out);
