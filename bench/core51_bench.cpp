// The core's speed: instructions per second on bench/core51_mix.asm, unpaced; and paced to
// real time at 11.0592 MHz for some seconds, with the drift of emulated time and the CPU used.
//   core51_bench MIX.hex [PACED_SECONDS]
#include "board/core51/cpu51.h"
#include "board/core51/hex_image.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <thread>

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: core51_bench MIX.hex [PACED_SECONDS]\n");
        return 2;
    }
    static std::array<std::uint8_t, 65536> code;
    code.fill(0xFF);
    std::string problem = core51::loadHexImage(argv[1], code);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    core51::Board51 board;
    core51::Cpu51 cpu(code.data(), board);
    // The mix ends in SJMP $ at DONE: the first instruction that jumps to itself. The best of
    // three runs is reported, as the machine may be busy with other work.
    using Clock = std::chrono::steady_clock;
    double best = 0;
    std::uint16_t last = 0xFFFF;
    for (int run = 0; run < 3; ++run) {
        cpu.reset();
        auto start = Clock::now();
        last = 0xFFFF;
        while (cpu.pc != last) {
            last = cpu.pc;
            cpu.step();
        }
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        best = run == 0 || seconds < best ? seconds : best;
    }
    std::printf("unpaced: %llu instructions, %llu machine cycles in %.3f s (best of 3): %.1f "
                "million instructions/s, %.1fx real time\n",
                static_cast<unsigned long long>(cpu.instructions),
                static_cast<unsigned long long>(cpu.cycles), best,
                static_cast<double>(cpu.instructions) / best / 1e6,
                static_cast<double>(cpu.cycles) / 921600.0 / best);

    double pacedSeconds = argc > 2 ? std::stod(argv[2]) : 10.0;
    if (pacedSeconds <= 0) {
        return 0;
    }
    // Paced: every millisecond of wall time runs the machine cycles that fell due in it.
    cpu.reset();
    cpu.cycles = 0;
    double cpuStart = cpuSeconds();
    auto begin = Clock::now();
    constexpr double cyclesPerSecond = 11059200.0 / 12.0;
    for (auto tick = begin;;) {
        tick += std::chrono::milliseconds(1);
        double elapsed = std::chrono::duration<double>(tick - begin).count();
        auto due = static_cast<std::uint64_t>(elapsed * cyclesPerSecond);
        while (cpu.cycles < due) {
            cpu.step();
            if (cpu.pc == last) {
                cpu.pc = 0x0000; // the mix starts over, to keep the load the same
            }
        }
        std::this_thread::sleep_until(tick);
        if (elapsed >= pacedSeconds) {
            break;
        }
    }
    double wall = std::chrono::duration<double>(Clock::now() - begin).count();
    double used = cpuSeconds() - cpuStart;
    double emulated = static_cast<double>(cpu.cycles) / cyclesPerSecond;
    std::printf("paced:   %.3f s of wall time, %.3f s emulated: %.3f%% apart; %.1f%% of one core "
                "used\n",
                wall, emulated, 100.0 * (wall - emulated) / wall, 100.0 * used / wall);
    return 0;
}
