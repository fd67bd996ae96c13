// Every colour the game draws in, by name, and the colour each value of a cell shows.
#pragma once

#include <array>

#include "game/state.h"
#include "runtime/graph.h"

inline constexpr RGBVAL kBlack = 0x000000;
inline constexpr RGBVAL kWhite = 0xFFFFFF;
inline constexpr RGBVAL kRed = 0xFF0000;
inline constexpr RGBVAL kGreen = 0x00FF00;
inline constexpr RGBVAL kBlue = 0x0000FF;
inline constexpr RGBVAL kYellow = 0xFFFF00;
inline constexpr RGBVAL kOrange = 0xFF8000;
inline constexpr RGBVAL kPurple = 0x8000FF;
inline constexpr RGBVAL kGrey = 0x808080;

// The colour of each colour cell, indexed by its value RED to GREY.
inline constexpr std::array<RGBVAL, GREY + 1> kCellColours = {
    kRed, kGreen, kBlue, kYellow, kOrange, kPurple, kGrey,
};

// The colour a cell shows: its own for a colour cell, the well's black for any other value.
constexpr RGBVAL cellColour(Cell value) {
    return value >= RED && value <= GREY ? kCellColours[value] : kBlack;
}
