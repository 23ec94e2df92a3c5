#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>

/**
 * The main of a benchmark that builds windows of the settings application:
 * an off-screen application, the windows' diagnostic lines sent nowhere and
 * the figures on standard error.
 */
inline int runWindowBenchmarks(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (!std::freopen("/dev/null", "w", stdout))
        return 1;
    benchmark::ConsoleReporter reporter;
    reporter.SetOutputStream(&std::cerr);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
