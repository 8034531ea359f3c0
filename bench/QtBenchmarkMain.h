#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <benchmark/benchmark.h>

// Qt benchmarks draw offscreen unless a platform is chosen, so they need no display.
inline void useOffscreenPlatformByDefault()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Runs the registered benchmarks; the caller has created its application object.
inline int runRegisteredBenchmarks(int &argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
