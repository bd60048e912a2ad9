// The reader and the pass against the recording writer, and the checker, natively, for
// a file of 34 keys and for files of many lines (mostly unknown keys, each of which the
// checker looks up a suggestion for): the cost per line should stay flat. And the
// install diagnosis of a game folder of many files with a huge executable beside the
// game: its cost is the folder's listing, never the size of the files in it.

#include "config/settings_file.hpp"
#include "edit/ini_edit.hpp"
#include "findings/render.hpp"
#include "hud/apply_settings.hpp"
#include "ini_rules/ini_check.hpp"
#include "install/install_diagnosis.hpp"
#include "report/report.hpp"
#include "report/report_json.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
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

// A game folder: the game, an ASI loader, the plugin and its ini, a 700 MB installer
// (sparse), and `files` model files in folders of a hundred.
std::filesystem::path write_game_folder(int files) {
    namespace fs = std::filesystem;
    const fs::path game = "/tmp/tessivar-bench-game-" + std::to_string(getpid());
    fs::create_directories(game / "scripts");
    const auto write = [&](const fs::path& relative, const std::string& bytes) {
        fs::create_directories((game / relative).parent_path());
        std::ofstream(game / relative, std::ios::binary) << bytes;
    };
    std::string pe(0x400, '\0');
    pe.replace(0, 2, "MZ");
    pe[0x3C] = 0x40;
    pe.replace(0x40, 6, std::string{"PE\0\0\x4C\x01", 6});
    write("gta-vc.exe", pe);
    write("dinput8.dll", pe + std::string(1024 * 1024, 'x') + "*.asi");
    write("scripts/Tessivar.VC.asi", pe);
    write("scripts/Tessivar.VC.ini", "MoneyColor=255 0 0\n");
    write("setup.exe", pe);
    fs::resize_file(game / "setup.exe", 700ull * 1024 * 1024);
    for (int i = 0; i < files; ++i)
        write("models/" + std::to_string(i / 100) + "/m" + std::to_string(i) + ".dff", "");
    return game;
}

void diagnose(benchmark::State& state) {
    const auto game = write_game_folder(static_cast<int>(state.range(0)));
    const auto ansi = [](const std::filesystem::path& path) {
        return std::optional<std::size_t>{path.native().size()};
    };
    for (auto _ : state) {
        const auto diagnosis = checker::diagnose_install(game, ansi);
        benchmark::DoNotOptimize(diagnosis.findings.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::filesystem::remove_all(game);
}

// The editor page's work on a file of `megabytes` (its setting on the first line, then
// comments): the report it shows after every change, and one edit.
std::string big_file(long megabytes) {
    const std::string padding = "; " + std::string(98, 'x') + "\r\n";
    std::string bytes = "MoneyColor=9 8 7\r\n";
    bytes.reserve(static_cast<std::size_t>(megabytes) * 1000000 + 100);
    while (bytes.size() < static_cast<std::size_t>(megabytes) * 1000000)
        bytes += padding;
    return bytes;
}

void page_report(benchmark::State& state) {
    const std::string bytes = big_file(state.range(0));
    for (auto _ : state) {
        const auto report = checker::file_report("big.ini", {bytes, std::nullopt});
        benchmark::DoNotOptimize(checker::report_json(report, checker::english(), "1.0.0", 500));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(bytes.size()));
}

void page_edit(benchmark::State& state) {
    const std::string bytes = big_file(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(editor::set_value(bytes, "MoneyColor", "1 8 7"));
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(bytes.size()));
}

} // namespace

BENCHMARK(page_report)->Arg(6)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(page_edit)->Arg(6)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(diagnose)->Arg(100)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(check)->Arg(34)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(read_and_pass)
    ->Arg(34)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
