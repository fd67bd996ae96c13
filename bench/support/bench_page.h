// A page of a given size as the current image, without a window: the tests' stand-in for
// initgraph, shared by the benchmarks.
#pragma once

#include "tests/support/test_page.h"

using BenchPage = TestPage;
