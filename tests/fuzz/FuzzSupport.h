#pragma once

// What the fuzz targets share: the entry point libFuzzer calls, a check whose failure is a
// finding, and the input as a file for the readers that take a file name.

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

// Aborts, so the fuzzer keeps the input and the corpus replay fails on it.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);                         \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

// A file of this process named name holding the bytes (written anew for each input).
QString inputFile(const char *name, const uint8_t *data, size_t size);
// A path in this process's folder that no input wrote.
QString scratchPath(const char *name);

// The input cut into lines at LF, for the targets that take lines of text.
QStringList inputLines(const uint8_t *data, size_t size);
