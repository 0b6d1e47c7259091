// The PC side of the link to the board's monitor: framed commands with check bytes, retries,
// the search of the COM ports, and the copies of the board's RAM, registers and PC.
#pragma once

#include "debugger/app/program_image.h"
#include "debugger/link/rs232.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <stdexcept>

namespace tarnik {

// A failed exchange: the board did not answer correctly after its attempts.
class TarnikCommErr : public std::runtime_error {
public:
    TarnikCommErr() : std::runtime_error("no communication with the board") {}
};

struct BoardId {
    std::uint16_t model = 0;   // 0 unknown, 1 Tarnik, 2 Tarnik-R, 3 Tarnik-S, 4 Tarnik-T
    std::uint16_t version = 0; // 22 for monitor 2.2
};

// The sixteen register copies, in the order of the S reply.
enum RegisterCopy : int {
    REG_SP,
    REG_DPL,
    REG_DPH,
    REG_PCON,
    REG_TCON,
    REG_TMOD,
    REG_TL0,
    REG_TH0,
    REG_P1,
    REG_P2,
    REG_IE,
    REG_P3,
    REG_IP,
    REG_PSW,
    REG_ACC,
    REG_B,
};

class TarnikRS : public RS232 {
public:
    using Pause = std::function<void(std::chrono::milliseconds)>;

    explicit TarnikRS(PortMap ports = {}, Pause pause = {});

    bool openAt(int port);
    bool ping();
    int findBoard(int portMask);
    void quitToMonitor();
    BoardId queryVersion();
    void writeBlock(std::uint16_t address, const std::uint8_t* data);
    void download(const Image32K& image, std::uint16_t first, std::uint16_t last);
    void startStepping();
    char queryMode();
    void readState();
    void step();
    void readRegisters();
    void readRam();
    void runTo(std::uint16_t address);
    void runFree();

    int lastFoundPort() const { return lastFoundPort_; }
    std::array<std::uint8_t, 128> ram{};
    std::array<std::uint8_t, 16> registers{};
    std::uint16_t pc = 0;

private:
    int exchange(const std::uint8_t* message, int n, int replyLength, std::uint8_t* reply);
    void command(const std::uint8_t* message, int n, int replyLength, std::uint8_t* reply);
    void commandAck(std::uint8_t c);
    void flush();

    Pause pause_;
    int lastFoundPort_ = 0;
};

} // namespace tarnik
