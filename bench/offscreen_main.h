#pragma once
// main() of the benchmarks that paint: Qt's offscreen platform unless one is
// named, one application object, then every benchmark asked for.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>

template <class Application>
int RunOffscreenBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
