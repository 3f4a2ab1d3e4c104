// The collector tests' helpers, built into this test program as well.
#include "tests/runtime/CollectorTestSupport.cpp"
