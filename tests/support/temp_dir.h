// A temporary directory for one test, removed with its contents afterwards.
#pragma once

#include <string>

namespace trx::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path of a file inside the directory.
    std::string File(const std::string& Name) const { return path_ + "/" + Name; }

private:
    std::string path_;
};

// Whole content of a file as bytes; empty when it cannot be read.
std::string ReadAll(const std::string& FileName);
// Writes bytes to a file, replacing it.
void WriteAll(const std::string& FileName, const std::string& Bytes);

} // namespace trx::test
