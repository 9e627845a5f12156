#include "loopback_listener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace trx::test {

namespace {

// Waits for the descriptor to become readable.
bool Readable(int Fd, int TimeoutSeconds) {
    pollfd p{Fd, POLLIN, 0};
    for (;;) {
        int n = poll(&p, 1, TimeoutSeconds * 1000);
        if (n > 0) return true;
        if (n == 0 || errno != EINTR) return false;
    }
}

} // namespace

LoopbackListener::LoopbackListener() {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd_, 8) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        if (fd_ >= 0) close(fd_);
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port_ = ntohs(addr.sin_port);
}

LoopbackListener::~LoopbackListener() { close(fd_); }

std::string LoopbackListener::Receive(int TimeoutSeconds) {
    if (!Readable(fd_, TimeoutSeconds)) throw std::runtime_error("nothing connected to the listener");
    int c = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (c < 0) throw std::runtime_error("cannot accept the connection");
    std::string data;
    char buf[65536];
    for (;;) {
        if (!Readable(c, TimeoutSeconds)) {
            close(c);
            throw std::runtime_error("the sender went silent after " + std::to_string(data.size()) + " bytes");
        }
        ssize_t n = read(c, buf, sizeof buf);
        if (n > 0) {
            data.append(buf, static_cast<size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    close(c);
    return data;
}

} // namespace trx::test
