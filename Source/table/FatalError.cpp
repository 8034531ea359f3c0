#include "FatalError.h"

#include <cstdlib>
#include <fstream>

void fatalError(const char *file, int line, const char *message)
{
    // A failed open leaves the stream failed: the writes do nothing and we still stop.
    std::ofstream log("log.txt", std::ios::out | std::ios::app);
    log << "Message: " << (message ? message : "") << '\n' << std::flush;
    log << "File: " << (file ? file : "") << '\n' << std::flush;
    log << "Line: " << line << '\n' << std::flush;
    std::abort();
}
