// The runtime's small test fixture, built into this test program as well.
#include "tests/runtime/RuntimeFixture.cpp"
