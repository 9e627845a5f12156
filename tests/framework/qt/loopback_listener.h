// A TCP listener on 127.0.0.1 standing in for a network printer: it takes
// one connection at a time and keeps every byte sent on it.
#pragma once

#include <string>

namespace trx::test {

class LoopbackListener {
public:
    LoopbackListener(); // on a free port
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    int Port() const { return port_; }

    // Takes the next connection and gives every byte it sends until the
    // sender closes it. Raises std::runtime_error when no connection comes,
    // or it stays silent, for TimeoutSeconds.
    std::string Receive(int TimeoutSeconds = 60);

private:
    int fd_ = -1;
    int port_ = 0;
};

} // namespace trx::test
