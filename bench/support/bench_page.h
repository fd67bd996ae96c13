// A page of a given size as the current image, on the runtime's headless backend: the
// benchmarks use the tests' set-up.
#pragma once

#include "tests/support/test_page.h"

using BenchPage = TestPage;
