// A thin, synchronous serial port. Any failure after opening closes the port: from then on
// reads return nothing and writes are dropped, and the protocol above sees missing replies.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace tarnik {

// Which device is COM port n: /dev/ttyS<n-1> unless a path was given for it.
class PortMap {
public:
    std::string path(int port) const;
    void set(int port, std::string path) { paths_[port] = std::move(path); }
    // "N=PATH", as the command line gives it; false when malformed.
    bool parse(const std::string& assignment);

private:
    std::map<int, std::string> paths_;
};

class RS232 {
public:
    explicit RS232(PortMap ports = {}) : ports_(std::move(ports)) {}
    RS232(const RS232&) = delete;
    RS232& operator=(const RS232&) = delete;
    ~RS232() { close(); }

    // frameFormat: bits 0-1 data bits - 5, bit 2 two stop bits, bit 3 parity, bit 4 even.
    // controlLines: bit 0 DTR on, bit 1 RTS on. The queue sizes are the driver's business.
    bool open(int number, int baud, std::uint8_t frameFormat, int controlLines, int inQueue,
              int outQueue);
    void close();
    // A read returns when all bytes came, 61 ms + extraInterval after a byte without the next,
    // or 61 ms + extraTotal + count x byteTime after it started.
    void setTimeouts(int extraTotal, int extraInterval);
    void write(int count, const std::uint8_t* bytes);
    int read(int count, std::uint8_t* buffer);
    int portNumber() const { return port_; }
    std::uint16_t byteTime() const { return byteTime_; }

private:
    PortMap ports_;
    int fd_ = -1;
    std::uint16_t byteTime_ = 1;
    std::uint8_t port_ = 0;
    int readInterval_ = 61;
    int readTotal_ = 61;
    int writeTotal_ = 61;
};

} // namespace tarnik
