#include "rs232.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace tarnik {

std::string PortMap::path(int port) const {
    auto it = paths_.find(port);
    return it != paths_.end() ? it->second : "/dev/ttyS" + std::to_string(port - 1);
}

bool PortMap::parse(const std::string& assignment) {
    std::size_t eq = assignment.find('=');
    if (eq == std::string::npos || eq == 0 || eq + 1 == assignment.size()) {
        return false;
    }
    int port = 0;
    for (std::size_t i = 0; i < eq; ++i) {
        if (assignment[i] < '0' || assignment[i] > '9' || port > 100) {
            return false;
        }
        port = port * 10 + (assignment[i] - '0');
    }
    if (port < 1 || port > 32) {
        return false;
    }
    set(port, assignment.substr(eq + 1));
    return true;
}

namespace {

speed_t speedOf(int baud) {
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B0;
    }
}

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

} // namespace

bool RS232::open(int number, int baud, std::uint8_t frameFormat, int controlLines, int, int) {
    if (number < 1 || number > 32) {
        return false;
    }
    if (port_ != 0 && port_ != number) {
        close();
    }
    if (port_ == 0) {
        int fd = ::open(ports_.path(number).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            return false;
        }
        ioctl(fd, TIOCEXCL); // not shared, as far as the device allows
        fd_ = fd;
        port_ = static_cast<std::uint8_t>(number);
    }
    byteTime_ = static_cast<std::uint16_t>(11000 / baud + 1);

    termios settings{};
    speed_t speed = speedOf(baud);
    bool good = speed != B0 && tcgetattr(fd_, &settings) == 0;
    if (good) {
        cfmakeraw(&settings);
        settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARENB | PARODD | CRTSCTS);
        static constexpr tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
        settings.c_cflag |= sizes[frameFormat & 3] | CLOCAL | CREAD;
        if ((frameFormat & 4) != 0) {
            settings.c_cflag |= CSTOPB;
        }
        if ((frameFormat & 8) != 0) {
            settings.c_cflag |= PARENB;
            if ((frameFormat & 16) == 0) {
                settings.c_cflag |= PARODD;
            }
        }
        settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
        settings.c_cc[VMIN] = 0;
        settings.c_cc[VTIME] = 0;
        good = cfsetispeed(&settings, speed) == 0 && cfsetospeed(&settings, speed) == 0 &&
               tcsetattr(fd_, TCSANOW, &settings) == 0;
    }
    if (good) {
        // A pseudo-terminal has no modem lines; that failure is no failure of the port.
        int dtr = TIOCM_DTR;
        int rts = TIOCM_RTS;
        ioctl(fd_, (controlLines & 1) != 0 ? TIOCMBIS : TIOCMBIC, &dtr);
        ioctl(fd_, (controlLines & 2) != 0 ? TIOCMBIS : TIOCMBIC, &rts);
        setTimeouts(0, 0);
    }
    if (!good) {
        close();
    }
    return good;
}

void RS232::close() {
    if (port_ != 0) {
        ::close(fd_);
        fd_ = -1;
        port_ = 0;
    }
}

void RS232::setTimeouts(int extraTotal, int extraInterval) {
    if (port_ == 0) {
        return;
    }
    readInterval_ = extraInterval + 61;
    readTotal_ = extraTotal + 61;
    writeTotal_ = 61;
}

void RS232::write(int count, const std::uint8_t* bytes) {
    if (port_ == 0 || count <= 0) {
        return;
    }
    auto deadline = Clock::now() + std::chrono::milliseconds(writeTotal_ + count * byteTime_);
    int written = 0;
    while (written < count) {
        ssize_t n = ::write(fd_, bytes + written, static_cast<std::size_t>(count - written));
        if (n > 0) {
            written += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            break;
        }
        pollfd p{fd_, POLLOUT, 0};
        int left = millisecondsLeft(deadline);
        if (left == 0 || poll(&p, 1, left) <= 0 || (p.revents & (POLLERR | POLLHUP)) != 0) {
            break;
        }
    }
    if (written < count) {
        close();
    }
}

int RS232::read(int count, std::uint8_t* buffer) {
    if (port_ == 0 || count <= 0) {
        return 0;
    }
    auto total = Clock::now() + std::chrono::milliseconds(readTotal_ + count * byteTime_);
    int got = 0;
    while (got < count) {
        // Before the first byte only the total time counts; after it, the interval too.
        int wait = millisecondsLeft(total);
        if (got > 0 && wait > readInterval_) {
            wait = readInterval_;
        }
        if (wait == 0) {
            break;
        }
        pollfd p{fd_, POLLIN, 0};
        int ready = poll(&p, 1, wait);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0 || (p.revents & POLLIN) == 0) {
            break;
        }
        ssize_t n = ::read(fd_, buffer + got, static_cast<std::size_t>(count - got));
        if (n > 0) {
            got += static_cast<int>(n);
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            break;
        }
    }
    return got;
}

} // namespace tarnik
