// A scripted board on the far side of a pseudo-terminal: it plays the monitor's side of the
// protocol, and a test can make it answer right, stay silent, refuse, or answer wrongly.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <poll.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tarnik::testing {

using Bytes = std::vector<std::uint8_t>;

// Appends the check byte that makes the block sum to 0.
inline Bytes withCheck(Bytes bytes) {
    unsigned sum = 0;
    for (auto b : bytes) {
        sum += b;
    }
    bytes.push_back(static_cast<std::uint8_t>((256 - sum % 256) % 256));
    return bytes;
}

// The monitor's answers, as far as the debugger relies on them.
struct MonitorModel {
    char mode = 'C';
    std::string ident = "Makerlabs TRNK-1 v1 s2.2";
    std::uint16_t pc = 0;
    std::uint8_t psw = 0;
    std::array<std::uint8_t, 128> ram{};
    std::array<std::uint8_t, 16> registers{}; // SP ... B, in the S reply's order
    std::array<std::uint8_t, 65536> memory{};
    std::vector<std::uint16_t> blocks; // addresses of the P blocks received
    std::uint16_t stepLength = 1;      // how far a step moves the PC, unless stepTo says
    std::function<std::uint16_t(std::uint16_t)> stepTo;
    std::uint16_t runTarget = 0;
    bool runToCompletes = true; // a sends its completion byte at once
    int refuseDataFrames = 0;   // P data frames answered with 15h before one is taken

    Bytes answer(const Bytes& frame) {
        switch (frame[0]) {
        case 'T': return {static_cast<std::uint8_t>(mode)};
        case 'Q': mode = 'C'; return {0x06};
        case 'M':
            mode = 'M';
            pc = 0;
            return {0x06};
        case 'R': return {0x06};
        case 'P': return {0x06};
        case 'V': {
            Bytes reply(ident.begin(), ident.end());
            Bytes rest(reply.begin() + 1, reply.end());
            reply.push_back(withCheck(rest).back());
            return reply;
        }
        case 'd':
            return withCheck({0x00, static_cast<std::uint8_t>(pc & 0xFF),
                              static_cast<std::uint8_t>(pc >> 8), memory[pc], 0, 0, psw});
        case 's':
            pc = stepTo ? stepTo(pc) : static_cast<std::uint16_t>(pc + stepLength);
            return withCheck({static_cast<std::uint8_t>(pc & 0xFF),
                              static_cast<std::uint8_t>(pc >> 8), memory[pc], 0, 0, psw});
        case 'S': {
            Bytes reply;
            int bank = psw & 0x18;
            for (int i = 0; i < 8; ++i) {
                reply.push_back(ram[static_cast<std::size_t>(bank + i)]);
            }
            reply.insert(reply.end(), registers.begin(), registers.end());
            reply[8 + 13] = psw;
            return withCheck(reply);
        }
        case 'I': return withCheck(Bytes(ram.begin(), ram.end()));
        case 'a':
            runTarget = static_cast<std::uint16_t>(frame[1] | (frame[2] << 8));
            if (runToCompletes) {
                pc = runTarget;
                return {0x06, 0x06};
            }
            return {0x06};
        default: return {0x15};
        }
    }
};

class BoardPeer {
public:
    // The reply to a frame; an empty reply is silence. The default answers as the model does.
    using Responder = std::function<Bytes(const Bytes& frame)>;

    BoardPeer() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master_);
        unlockpt(master_);
        slavePath = ptsname(master_);
        // Held open so that the line stays up while the debugger closes and reopens it.
        keeper_ = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY);
        termios raw{};
        tcgetattr(keeper_, &raw);
        cfmakeraw(&raw);
        tcsetattr(keeper_, TCSANOW, &raw); // no echo of the replies back to the peer
        respond = [this](const Bytes& frame) { return model.answer(frame); };
        thread_ = std::thread([this] { run(); });
    }
    ~BoardPeer() {
        stop_ = true;
        thread_.join();
        ::close(keeper_);
        ::close(master_);
    }
    BoardPeer(const BoardPeer&) = delete;
    BoardPeer& operator=(const BoardPeer&) = delete;

    void send(const Bytes& bytes) {
        if (!bytes.empty()) {
            ssize_t n = ::write(master_, bytes.data(), bytes.size());
            (void)n;
        }
    }
    std::vector<Bytes> frames() {
        std::lock_guard<std::mutex> lock(mutex_);
        return frames_;
    }
    void clearFrames() {
        std::lock_guard<std::mutex> lock(mutex_);
        frames_.clear();
    }
    // When the first frame of the given command byte arrived (for the order of a search).
    std::chrono::steady_clock::time_point firstFrameTime() {
        std::lock_guard<std::mutex> lock(mutex_);
        return firstTime_;
    }
    void setResponder(Responder r) {
        std::lock_guard<std::mutex> lock(mutex_);
        respond = std::move(r);
    }
    MonitorModel& state() { return model; }

    std::string slavePath;
    MonitorModel model;

private:
    // Frame lengths follow from the command byte; a P header announces a 257-byte data frame.
    std::size_t frameLength(const Bytes& pending) const {
        if (expectData_) {
            return 257;
        }
        switch (pending[0]) {
        case 'P': return 5;
        case 'a': return 4;
        default: return 2;
        }
    }

    void run() {
        Bytes pending;
        while (!stop_) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 10) <= 0 || (p.revents & POLLIN) == 0) {
                continue;
            }
            std::uint8_t buffer[512];
            ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0) {
                continue;
            }
            pending.insert(pending.end(), buffer, buffer + n);
            while (!pending.empty() && pending.size() >= frameLength(pending)) {
                std::size_t length = frameLength(pending);
                Bytes frame(pending.begin(), pending.begin() + static_cast<long>(length));
                pending.erase(pending.begin(), pending.begin() + static_cast<long>(length));
                handle(frame);
            }
        }
    }

    void handle(const Bytes& frame) {
        unsigned sum = 0;
        for (auto b : frame) {
            sum += b;
        }
        Bytes reply;
        Responder responder;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (frames_.empty()) {
                firstTime_ = std::chrono::steady_clock::now();
            }
            frames_.push_back(frame);
            responder = respond;
        }
        bool data = expectData_;
        expectData_ = false;
        if (sum % 256 != 0) {
            reply = {0x15};
        } else if (data && model.refuseDataFrames > 0) {
            --model.refuseDataFrames;
            reply = {0x15};
        } else if (data) {
            reply = {0x06};
            for (std::size_t i = 0; i < 256; ++i) {
                model.memory[(blockAddress_ + i) & 0xFFFF] = frame[i];
            }
            model.blocks.push_back(blockAddress_);
        } else {
            reply = responder(frame);
            if (frame[0] == 'P' && reply == Bytes{0x06}) {
                expectData_ = true;
                blockAddress_ = static_cast<std::uint16_t>(frame[2] | (frame[3] << 8));
            }
        }
        send(reply);
    }

    int master_ = -1;
    int keeper_ = -1;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Bytes> frames_;
    std::chrono::steady_clock::time_point firstTime_;
    Responder respond;
    bool expectData_ = false;
    std::uint16_t blockAddress_ = 0;
};

} // namespace tarnik::testing
