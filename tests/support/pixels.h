// Pixel-level assertions that save the actual and expected pictures when they fail.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/graph.h"

// The image's pixels, row by row.
std::vector<RGBVAL> pixelsOf(PIMAGE img);

// Compares the image with the picture `expected(x, y)` describes; on a mismatch writes
// <name>.actual.ppm and <name>.expected.ppm to the test output folder and names the first
// differing pixels.
::testing::AssertionResult matchesPicture(PIMAGE img,
                                          const std::function<RGBVAL(int x, int y)>& expected,
                                          const std::string& name);

// How many pixels of the rectangle [left, right) x [top, bottom) of the image (not of its
// drawing area) hold the colour.
int countColor(PIMAGE img, RGBVAL color, int left, int top, int right, int bottom);
