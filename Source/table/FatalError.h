#pragma once

// Reports a broken internal invariant: appends three lines (message, file, line) to
// "log.txt" in the working directory, flushing each, then aborts. Never returns, even
// when the log cannot be written.
[[noreturn]] void fatalError(const char *file, int line, const char *message);

// For a broken invariant found at this point of the program: reports the real file and line.
#define FATAL_ERROR(message) fatalError(__FILE__, __LINE__, message)
