#pragma once
// A game folder holding the simulated host and the plugin, and a run of the host on
// a script, with what it printed taken apart.

#include "support/temp_files.hpp"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace test_support {

inline std::filesystem::path built_binaries() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return std::filesystem::path{self}.parent_path();
}

// Runs a command line and returns what it wrote to standard output, and its status.
struct RunResult {
    std::string output;
    DWORD exit_code = 0xFFFFFFFF;
};

inline RunResult run_command(std::string command_line) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read_end = nullptr, write_end = nullptr;
    RunResult result;
    if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return result;
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write_end;
    startup.hStdError = write_end;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(write_end);
    if (started) {
        char chunk[4096];
        DWORD got = 0;
        while (ReadFile(read_end, chunk, sizeof chunk, &got, nullptr) && got)
            result.output.append(chunk, got);
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &result.exit_code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(read_end);
    return result;
}

// What the simulated host's own function returns, as a run prints the call's result:
// the call came back through the plugin unchanged.
inline const std::string host_result = "0x5eed1e55";

// What one dump of the simulated host showed.
struct HostView {
    std::map<std::uint32_t, std::string> sites;      // "e8 xx xx xx xx"
    std::map<std::uint32_t, std::string> protection; // per site, "0x20"
    std::map<std::uint32_t, std::string> next;       // per site, the byte after its five
    std::map<std::uint32_t, std::string> hud;        // "xx" or four bytes for a float
};

struct HostRun {
    RunResult raw;
    std::map<std::string, HostView> views;
    std::vector<std::string> call_results; // "0x5eed1e55", or "none"
    std::vector<std::string> lines;

    bool ran_to_exit() const {
        return raw.exit_code == 0 && !lines.empty() && lines.back() == "exit";
    }
    bool printed(const std::string& line) const {
        for (const auto& l : lines)
            if (l == line) return true;
        return false;
    }
};

inline HostRun parse_host_output(RunResult raw) {
    HostRun run;
    std::istringstream in(raw.output);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        run.lines.push_back(line);
        std::istringstream words(line);
        std::string first, kind, address;
        words >> first >> kind;
        if (first == "call") {
            if (kind == "result") {
                std::string value;
                words >> value;
                run.call_results.push_back(value);
            } else {
                run.call_results.push_back(kind);
            }
            continue;
        }
        if (kind != "site" && kind != "hud") continue;
        words >> address;
        const auto key = static_cast<std::uint32_t>(std::stoul(address, nullptr, 16));
        std::string rest, word;
        while (words >> word && word != "protect" && word != "unrebased" && word != "#")
            rest += (rest.empty() ? "" : " ") + word;
        HostView& view = run.views[first];
        if (kind == "site") {
            view.sites[key] = rest;
            std::string label;
            words >> view.protection[key] >> label >> view.next[key];
        } else {
            view.hud[key] = rest;
        }
    }
    run.raw = std::move(raw);
    return run;
}

class SimulatedGame {
public:
    // `inside`: the game's folder below the temporary one, from the temporary one's path
    // (none: the temporary one itself).
    explicit SimulatedGame(
        const std::function<std::string(const std::filesystem::path&)>& inside = nullptr) {
        game = inside ? folder.path() / inside(folder.path()) : folder.path();
        std::filesystem::create_directories(game / "plugins");
        for (const char* name :
             {"simulated_host_100.exe", "simulated_host_110.exe", "simulated_host_120.exe",
              "simulated_host_none.exe", "simulated_host_100_rebased.exe", "runtime_baseline.dll"})
            std::filesystem::copy_file(built_binaries() / name, game / name);
        std::filesystem::copy_file(built_binaries() / "Tessivar.VC.asi", plugin());
    }

    std::filesystem::path plugin() const { return game / "plugins" / "Tessivar.VC.asi"; }

    // Another copy of the plugin, at a path relative to the game folder.
    void copy_plugin(const std::string& relative) const {
        const auto to = game / relative;
        std::filesystem::create_directories(to.parent_path());
        std::filesystem::copy_file(built_binaries() / "Tessivar.VC.asi", to);
    }
    std::string path(const std::string& relative) const {
        return (game / relative).make_preferred().string();
    }
    void write(const std::string& relative, std::string_view ini) const {
        folder.write(std::filesystem::relative(game / relative, folder.path()), ini);
    }

    // build: "100", "110", "120" or "none"; script: the host's commands after it.
    HostRun run(const std::string& build, const std::string& script, bool rebased = false) const {
        const std::string host =
            path("simulated_host_" + build + (rebased ? "_rebased" : "") + ".exe");
        return parse_host_output(run_command("\"" + host + "\" " + script));
    }
    // The game started with an ASI loader in its folder: the plugins load before its code.
    HostRun run_with_asi_loader(const std::string& script) const {
        return run("100", "--asi-loader " + script);
    }
    std::string load() const { return "load \"" + plugin().make_preferred().string() + "\" "; }

    TempDir folder;
    std::filesystem::path game; // the game's folder: the temporary one, or one inside it
};

} // namespace test_support
