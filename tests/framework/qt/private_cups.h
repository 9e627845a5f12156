// A CUPS scheduler of the test program's own: started on first use in a
// temporary directory, reached through a local socket only, and stopped by
// its process id when the program ends. Every CUPS client of the program
// (the code under test, lpadmin, lpstat) talks to it, never to the
// machine's own scheduler: CUPS_SERVER points at it from the start.
#pragma once

#include <string>

namespace trx::test {

class PrivateCups {
public:
    // The scheduler, started when first asked for. Raises
    // std::runtime_error, with the scheduler's log, when it cannot start.
    static PrivateCups& Get();

    // Adds or changes a raw queue that delivers every job, byte for byte,
    // to a listener on 127.0.0.1:Port (the AppSocket protocol).
    void AddRawQueue(const std::string& Name, int Port);
    void RemoveQueue(const std::string& Name);
    void SetDefault(const std::string& Name);
    // A rejecting queue takes no new jobs.
    void Reject(const std::string& Name);
    void Accept(const std::string& Name);

    const std::string& Socket() const { return socket_; }
    std::string ErrorLog() const;

    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

private:
    PrivateCups();
    ~PrivateCups();
    void Start();

    std::string dir_;
    std::string socket_;
    int pid_ = -1;
};

} // namespace trx::test
