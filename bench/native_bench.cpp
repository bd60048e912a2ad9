// The reader and the pass against the recording writer, and the checker, natively, for
// a file of 34 keys and for files of many lines (mostly unknown keys, each of which the
// checker looks up a suggestion for): the cost per line should stay flat.

#include "check/ini_check.hpp"
#include "config/settings_file.hpp"
#include "hud/apply_settings.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string write_ini(int lines) {
    const std::string path =
        "/tmp/tessivar-bench-" + std::to_string(getpid()) + "-" + std::to_string(lines) + ".ini";
    std::ofstream out(path);
    int written = 0;
    for (const auto& row : hud::hud_setting_table) {
        out << row.key << "=";
        for (int i = 0; i < hud::component_count(row.kind); ++i)
            out << 100 + i << " ";
        out << "\n";
        ++written;
    }
    for (; written < lines; ++written)
        out << "Unused" << written << "=" << written << " 2 3\n";
    return path;
}

void read_and_pass(benchmark::State& state) {
    const std::string path = write_ini(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const config::SettingsFile file{path.c_str()};
        hud::RecordingWriter writer;
        hud::apply_settings(file, writer);
        benchmark::DoNotOptimize(writer.writes().data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::remove(path.c_str());
}

void check(benchmark::State& state) {
    const std::string path = write_ini(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto report = checker::check_settings_file(path);
        benchmark::DoNotOptimize(report->findings.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::remove(path.c_str());
}

} // namespace

BENCHMARK(check)->Arg(34)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(read_and_pass)
    ->Arg(34)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
