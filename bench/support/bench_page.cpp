// The benchmark executable builds the page set-up from the tests' one source of it, so that the
// two cannot drift apart.
#include "tests/support/test_page.cpp"  // NOLINT(bugprone-suspicious-include)
