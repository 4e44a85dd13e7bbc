#pragma once

#include <cstdio>
#include <cstdlib>

// A broken expectation in a fuzz target: says where, then aborts, which libFuzzer reports as a
// finding and saves the input that led to it.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)
