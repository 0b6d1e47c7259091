// The serial port and the board protocol, over pseudo-terminals against a scripted board.
#include "debugger/link/tarnik_rs.h"
#include "tests/support/board_peer.h"

#include <chrono>
#include <gtest/gtest.h>

namespace tarnik {
namespace {

using testing::BoardPeer;
using testing::Bytes;
using Clock = std::chrono::steady_clock;

int elapsedMs(Clock::time_point start) {
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

struct Link {
    explicit Link(BoardPeer& peer) : rs(ports(peer), [](std::chrono::milliseconds) {}) {
        EXPECT_TRUE(rs.openAt(1));
    }
    static PortMap ports(BoardPeer& peer) {
        PortMap map;
        map.set(1, peer.slavePath);
        return map;
    }
    TarnikRS rs;
};

TEST(RS232, OpenRulesAndPortNumbers) {
    BoardPeer peer;
    PortMap map;
    map.set(2, peer.slavePath);
    map.set(3, "/nonexistent/tty");
    RS232 port(map);
    EXPECT_FALSE(port.open(0, 57600, 3, 3, 264, 264));
    EXPECT_FALSE(port.open(33, 57600, 3, 3, 264, 264));
    ASSERT_TRUE(port.open(2, 57600, 3, 3, 264, 264));
    EXPECT_EQ(port.portNumber(), 2);
    EXPECT_EQ(port.byteTime(), 1);
    EXPECT_FALSE(port.open(33, 57600, 3, 3, 264, 264));
    EXPECT_EQ(port.portNumber(), 2);                 // an invalid number leaves the open port alone
    ASSERT_TRUE(port.open(2, 9600, 3, 3, 264, 264)); // reconfigured, not reopened
    EXPECT_EQ(port.byteTime(), 2);
    EXPECT_FALSE(port.open(3, 57600, 3, 3, 264, 264));
    EXPECT_EQ(port.portNumber(), 0); // the old port was closed first
    EXPECT_EQ(PortMap().path(1), "/dev/ttyS0");
    EXPECT_EQ(PortMap().path(4), "/dev/ttyS3");
}

TEST(RS232, ReadTimeOutsAndClosedPorts) {
    BoardPeer peer;
    peer.setResponder([](const Bytes&) { return Bytes{}; });
    PortMap map;
    map.set(1, peer.slavePath);
    RS232 port(map);
    std::uint8_t buffer[128];
    auto start = Clock::now();
    EXPECT_EQ(port.read(1, buffer), 0); // no port open: at once
    EXPECT_LT(elapsedMs(start), 20);
    ASSERT_TRUE(port.open(1, 57600, 3, 3, 264, 264));
    start = Clock::now();
    EXPECT_EQ(port.read(1, buffer), 0);
    int waited = elapsedMs(start);
    EXPECT_GE(waited, 55); // 61 ms + 1 x 1 ms, with slack for the scheduler
    EXPECT_LT(waited, 400);

    // A byte that arrives, then silence: the interval ends the read.
    peer.send({0x41});
    start = Clock::now();
    EXPECT_EQ(port.read(128, buffer), 1);
    EXPECT_LT(elapsedMs(start), 400);
    EXPECT_EQ(buffer[0], 0x41);

    port.setTimeouts(100, 0);
    start = Clock::now();
    EXPECT_EQ(port.read(1, buffer), 0);
    EXPECT_GE(elapsedMs(start), 150);
    port.close();
    port.setTimeouts(100, 0); // nothing open: nothing to do
}

TEST(TarnikRS, FramesAndReplies) {
    BoardPeer peer;
    Link link(peer);
    EXPECT_TRUE(link.rs.ping());
    EXPECT_EQ(link.rs.queryMode(), 'C');
    link.rs.quitToMonitor();
    BoardId id = link.rs.queryVersion();
    EXPECT_EQ(id.model, 1);
    EXPECT_EQ(id.version, 22);
    link.rs.startStepping();
    EXPECT_EQ(link.rs.queryMode(), 'M');
    auto frames = peer.frames();
    EXPECT_EQ(frames[0], (Bytes{0x54, 0xAC}));
    EXPECT_EQ(frames.back(), (Bytes{0x54, 0xAC}));

    peer.model.pc = 0x1234;
    peer.model.psw = 0x10;
    link.rs.readState();
    EXPECT_EQ(link.rs.pc, 0x1234);
    link.rs.step();
    EXPECT_EQ(link.rs.pc, 0x1235);
    for (int i = 0; i < 128; ++i) {
        peer.model.ram[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    }
    peer.model.registers[REG_SP] = 0x07;
    link.rs.readRegisters();
    EXPECT_EQ(link.rs.registers[REG_SP], 0x07);
    EXPECT_EQ(link.rs.registers[REG_PSW], 0x10);
    // R0-R7 of bank 2 land in RAM 10H-17H.
    EXPECT_EQ(link.rs.ram[0x10], 0x10);
    EXPECT_EQ(link.rs.ram[0x17], 0x17);
    EXPECT_EQ(link.rs.ram[0x00], 0x00);
    link.rs.readRam();
    EXPECT_EQ(link.rs.ram[0x7F], 0x7F);

    link.rs.runTo(0x0200);
    std::uint8_t done = 0;
    EXPECT_EQ(link.rs.read(1, &done), 1);
    EXPECT_EQ(peer.frames().back(), (Bytes{0x61, 0x00, 0x02, 0x9D}));
    link.rs.runFree();
}

TEST(TarnikRS, TheIdentificationReplyMustSumTo4DH) {
    BoardPeer peer;
    Link link(peer);
    for (const char* ident : {"Makerlabs TRNK-P v1 s2.3", "Makerlabs TRNK-X v1 s3.0"}) {
        peer.model.ident = ident;
        BoardId id = link.rs.queryVersion();
        EXPECT_EQ(id.model, ident[15] == 'P' ? 2 : 0);
        EXPECT_EQ(id.version, ident[21] == '2' ? 23 : 30);
    }
    // A reply that sums to 0 is what every other command wants, but not V.
    peer.setResponder([](const Bytes& frame) {
        Bytes reply = testing::withCheck(Bytes(24, 0x20));
        return frame[0] == 'V' ? reply : Bytes{};
    });
    EXPECT_THROW(link.rs.queryVersion(), TarnikCommErr);
    EXPECT_EQ(peer.frames().size(), 2U + 3U); // three attempts, a flush after each
}

TEST(TarnikRS, RetriesFlushesAndTheException) {
    struct Case {
        const char* name;
        Bytes reply; // to the S command
        int attempts;
    };
    const Case cases[] = {
        {"silent", {}, 3},
        {"NAK", {0x15}, 3},
        {"bad check byte", Bytes(25, 0x01), 3},
        {"short reply", Bytes(10, 0x00), 3},
    };
    for (const auto& c : cases) {
        BoardPeer peer;
        Link link(peer);
        Bytes reply = c.reply;
        peer.setResponder([reply](const Bytes&) { return reply; });
        auto start = Clock::now();
        EXPECT_THROW(link.rs.readRegisters(), TarnikCommErr) << c.name;
        EXPECT_EQ(peer.frames().size(), static_cast<std::size_t>(c.attempts)) << c.name;
        EXPECT_LT(elapsedMs(start), 3000) << c.name;
    }
    // A wrong acknowledgement is flushed and retried; the third time it throws.
    BoardPeer peer;
    Link link(peer);
    peer.setResponder([](const Bytes&) { return Bytes{0x15}; });
    EXPECT_THROW(link.rs.quitToMonitor(), TarnikCommErr);
    EXPECT_THROW(link.rs.queryMode(), TarnikCommErr);
    // A reply that comes right on the second attempt is taken.
    int calls = 0;
    peer.setResponder([&calls](const Bytes&) { return ++calls == 1 ? Bytes{0x15} : Bytes{0x06}; });
    EXPECT_NO_THROW(link.rs.runFree());
}

TEST(TarnikRS, DownloadSendsWholeBlocksFromFirst) {
    struct Case {
        int first;
        int last;
        std::vector<std::uint16_t> blocks;
    };
    const Case cases[] = {
        {0x0100, 0x0180, {0x0100}},
        {0x0000, 0x0100, {0x0000, 0x0100}},
        {0x8000, 0x0000, {}},
        {0x7F80, 0x7FFF, {0x7F80}},
    };
    for (const auto& c : cases) {
        BoardPeer peer;
        Link link(peer);
        Image32K image;
        image.fill(0x5A);
        link.rs.download(image, static_cast<std::uint16_t>(c.first),
                         static_cast<std::uint16_t>(c.last));
        EXPECT_EQ(peer.model.blocks, c.blocks) << c.first;
        if (c.first == 0x7F80) {
            EXPECT_EQ(peer.model.memory[0x7FFF], 0x5A);
            EXPECT_EQ(peer.model.memory[0x8000], 0xFF); // beyond the program image
        }
    }
    // A data frame refused once is sent again with its header.
    BoardPeer peer;
    Link link(peer);
    int headers = 0;
    peer.setResponder([&headers](const Bytes& frame) {
        if (frame[0] == 'P') {
            ++headers;
        }
        return Bytes{0x06};
    });
    peer.model.refuseDataFrames = 1;
    Image32K image{};
    link.rs.download(image, 0x0000, 0x0000);
    EXPECT_EQ(headers, 2);
    EXPECT_EQ(peer.model.blocks, (std::vector<std::uint16_t>{0x0000}));
    EXPECT_EQ(peer.frames()[0], (Bytes{0x50, 0x00, 0x00, 0x00, 0xB0}));
    EXPECT_EQ(peer.frames()[1].size(), 257U);
}

TEST(TarnikRS, FindBoardTriesTheLastPortFirstAndOpensEachOnce) {
    BoardPeer peers[4];
    PortMap map;
    for (int i = 0; i < 4; ++i) {
        map.set(i + 1, peers[i].slavePath);
    }
    TarnikRS rs(map, [](std::chrono::milliseconds) {});
    auto silent = [](const Bytes&) { return Bytes{}; };
    peers[0].setResponder(silent);
    peers[1].setResponder(silent);
    peers[3].setResponder(silent);
    EXPECT_EQ(rs.findBoard(0x0F), 3);
    EXPECT_EQ(rs.lastFoundPort(), 3);
    EXPECT_EQ(rs.portNumber(), 3);
    rs.close();

    for (auto& p : peers) {
        p.clearFrames();
    }
    peers[2].setResponder(silent);
    peers[3].setResponder([](const Bytes&) { return Bytes{'C'}; });
    EXPECT_EQ(rs.findBoard(0x0F), 4);
    EXPECT_EQ(rs.portNumber(), 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(peers[i].frames().size(), 2U) << "two pings on COM" << i + 1;
    }
    EXPECT_LT(peers[2].firstFrameTime(), peers[0].firstFrameTime());
    EXPECT_LT(peers[0].firstFrameTime(), peers[1].firstFrameTime());
    EXPECT_LT(peers[1].firstFrameTime(), peers[3].firstFrameTime());

    peers[3].setResponder(silent);
    rs.close();
    EXPECT_EQ(rs.findBoard(0x0F), 0);
    EXPECT_EQ(rs.lastFoundPort(), 0);
    EXPECT_EQ(rs.portNumber(), 0);
    EXPECT_EQ(rs.findBoard(0x00), 0);
}

TEST(TarnikRS, AClosedPortFailsEveryCommand) {
    TarnikRS rs(PortMap{}, [](std::chrono::milliseconds) {});
    EXPECT_THROW(rs.queryMode(), TarnikCommErr);
    EXPECT_THROW(rs.readRam(), TarnikCommErr);
    EXPECT_NO_THROW(rs.runTo(0x0100));
    EXPECT_FALSE(rs.ping());
}

} // namespace
} // namespace tarnik
