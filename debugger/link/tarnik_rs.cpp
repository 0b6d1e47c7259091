#include "tarnik_rs.h"

#include <thread>

namespace tarnik {

namespace {

constexpr int BAUD = 57600;
constexpr std::uint8_t FRAME_8N1 = 3;
constexpr int DTR_AND_RTS = 3;
constexpr int QUEUE = 264;
constexpr int ATTEMPTS = 3;
constexpr std::uint8_t ACK = 0x06;
constexpr std::uint8_t IDENT_SUM = 0x4D; // the V reply's check byte leaves out its first byte

std::uint8_t checkByte(const std::uint8_t* bytes, int n) {
    unsigned sum = 0;
    for (int i = 0; i < n; ++i) {
        sum += bytes[i];
    }
    return static_cast<std::uint8_t>((256 - (sum & 0xFF)) & 0xFF);
}

} // namespace

TarnikRS::TarnikRS(PortMap ports, Pause pause) : RS232(std::move(ports)), pause_(std::move(pause)) {
    if (!pause_) {
        pause_ = [](std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); };
    }
}

int TarnikRS::exchange(const std::uint8_t* message, int n, int replyLength, std::uint8_t* reply) {
    if (n < 0 || n > 256) {
        return 0;
    }
    std::uint8_t frame[257];
    std::copy(message, message + n, frame);
    frame[n] = checkByte(message, n);
    write(n + 1, frame);
    return read(replyLength, reply);
}

void TarnikRS::flush() {
    std::uint8_t discard[128];
    read(128, discard);
}

void TarnikRS::command(const std::uint8_t* message, int n, int replyLength, std::uint8_t* reply) {
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        if (exchange(message, n, replyLength, reply) < replyLength) {
            continue; // a missing or short reply is retried without a flush
        }
        unsigned sum = 0;
        for (int i = 0; i < replyLength; ++i) {
            sum += reply[i];
        }
        sum &= 0xFF;
        // The identification alone has a check byte that leaves out its first byte.
        if (sum == (message[0] == 'V' ? IDENT_SUM : 0)) {
            return;
        }
        flush();
    }
    throw TarnikCommErr();
}

void TarnikRS::commandAck(std::uint8_t c) {
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        std::uint8_t reply = 0;
        if (exchange(&c, 1, 1, &reply) == 1) {
            if (reply == ACK) {
                return;
            }
            flush();
        }
    }
    throw TarnikCommErr();
}

bool TarnikRS::openAt(int port) {
    if (portNumber() == port) {
        return true;
    }
    if (!open(port, BAUD, FRAME_8N1, DTR_AND_RTS, QUEUE, QUEUE)) {
        return false;
    }
    pause_(std::chrono::milliseconds(100));
    return true;
}

bool TarnikRS::ping() {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::uint8_t frame[2] = {'T', 0xAC};
        write(2, frame);
        std::uint8_t reply = 0;
        if (read(1, &reply) == 1 && (reply == 'M' || reply == 'C')) {
            return true;
        }
    }
    return false;
}

int TarnikRS::findBoard(int portMask) {
    auto tryPort = [&](int n) {
        if ((portMask & (1 << (n - 1))) == 0) {
            return false;
        }
        portMask &= ~(1 << (n - 1));
        if (openAt(n)) {
            if (ping()) {
                lastFoundPort_ = n;
                return true;
            }
            close();
        }
        return false;
    };
    if (lastFoundPort_ != 0 && tryPort(lastFoundPort_)) {
        return lastFoundPort_;
    }
    for (int n = 1; n <= 32 && portMask != 0; ++n) {
        if (tryPort(n)) {
            return n;
        }
    }
    lastFoundPort_ = 0;
    return 0;
}

void TarnikRS::quitToMonitor() {
    commandAck('Q');
    pause_(std::chrono::milliseconds(300));
}

void TarnikRS::startStepping() {
    commandAck('M');
    pause_(std::chrono::milliseconds(300));
}

BoardId TarnikRS::queryVersion() {
    const std::uint8_t message[1] = {'V'};
    std::uint8_t reply[25];
    command(message, 1, 25, reply);
    BoardId id;
    switch (reply[15]) {
    case '1': id.model = 1; break;
    case 'P': id.model = 2; break;
    case 'L': id.model = 3; break;
    case 'M': id.model = 4; break;
    default: id.model = 0; break;
    }
    id.version = static_cast<std::uint16_t>((reply[21] - 0x30) * 10 + (reply[23] - 0x30));
    return id;
}

void TarnikRS::writeBlock(std::uint16_t address, const std::uint8_t* data) {
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        const std::uint8_t header[4] = {'P', 0x00, static_cast<std::uint8_t>(address & 0xFF),
                                        static_cast<std::uint8_t>(address >> 8)};
        std::uint8_t reply = 0;
        if (exchange(header, 4, 1, &reply) != 1) {
            continue;
        }
        if (reply != ACK) {
            flush();
            continue;
        }
        if (exchange(data, 256, 1, &reply) != 1) {
            continue;
        }
        if (reply == ACK) {
            return;
        }
        flush();
    }
    throw TarnikCommErr();
}

void TarnikRS::download(const Image32K& image, std::uint16_t first, std::uint16_t last) {
    std::uint8_t block[256];
    for (unsigned start = first; start <= last; start += 256) {
        // A block that reaches past the program image sends FFh, as erased memory reads.
        for (unsigned i = 0; i < 256; ++i) {
            block[i] = start + i < IMAGE_SIZE ? image[start + i] : 0xFF;
        }
        writeBlock(static_cast<std::uint16_t>(start), block);
    }
}

char TarnikRS::queryMode() {
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        const std::uint8_t message[1] = {'T'};
        std::uint8_t reply = 0;
        if (exchange(message, 1, 1, &reply) == 1) {
            if (reply == 'C' || reply == 'M') {
                return static_cast<char>(reply);
            }
            flush();
        }
    }
    throw TarnikCommErr();
}

void TarnikRS::readState() {
    const std::uint8_t message[1] = {'d'};
    std::uint8_t reply[8];
    command(message, 1, 8, reply);
    pc = static_cast<std::uint16_t>(reply[1] + 256 * reply[2]);
    registers[REG_PSW] = reply[6];
}

void TarnikRS::step() {
    const std::uint8_t message[1] = {'s'};
    std::uint8_t reply[7];
    command(message, 1, 7, reply);
    pc = static_cast<std::uint16_t>(reply[0] + 256 * reply[1]);
    registers[REG_PSW] = reply[5];
}

void TarnikRS::readRegisters() {
    const std::uint8_t message[1] = {'S'};
    std::uint8_t reply[25];
    command(message, 1, 25, reply);
    for (int i = 0; i < 16; ++i) {
        registers[static_cast<std::size_t>(i)] = reply[8 + i];
    }
    int bank = registers[REG_PSW] & 0x18;
    for (int i = 0; i < 8; ++i) {
        ram[static_cast<std::size_t>(bank + i)] = reply[i];
    }
}

void TarnikRS::readRam() {
    const std::uint8_t message[1] = {'I'};
    std::uint8_t reply[129];
    command(message, 1, 129, reply);
    for (int i = 0; i < 128; ++i) {
        ram[static_cast<std::size_t>(i)] = reply[i];
    }
}

void TarnikRS::runTo(std::uint16_t address) {
    const std::uint8_t message[3] = {'a', static_cast<std::uint8_t>(address & 0xFF),
                                     static_cast<std::uint8_t>(address >> 8)};
    std::uint8_t reply = 0;
    exchange(message, 3, 1, &reply); // neither checked nor retried
}

void TarnikRS::runFree() {
    commandAck('R');
}

} // namespace tarnik
