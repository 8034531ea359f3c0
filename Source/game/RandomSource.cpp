#include "RandomSource.h"

#include <cstdlib>

int RandomSource::next()
{
    return std::rand();
}

RandomSource &RandomSource::library()
{
    static RandomSource source;
    return source;
}
