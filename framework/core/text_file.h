// Text files and files of fixed-size records with the framework's file
// variables: assign a name, open, read or write, close, and check the numeric
// I/O result instead of catching exceptions.
//
// I/O results. A failing operation records its code (file_handles.h: 2 file
// not found, 3 path not found, 5 access denied, 32 sharing violation, 100
// read beyond the end, 101 write failure, 102 no name assigned, 103 file not
// open, 104 not open for input, 105 not open for output). IOResult() returns
// the recorded code and clears it. While a code is recorded, every further
// operation of that file variable does nothing, except CloseFile, which
// always closes (and keeps the recorded code); Eof then reports true. Each
// file variable keeps its own code, so a failure on one file never stops
// work on another. InOutCheck(F.IOResult()) turns a code into EInOutError.
//
// Text files are byte-transparent. Reset opens for reading, Rewrite creates
// or empties the file for writing, Append opens an existing file for writing
// at its end; each allows other readers but no other writer while the file
// is open (a conflict is code 32). A device or a FIFO is written as it is,
// neither emptied nor searched for its end. A line read ends at LF and
// loses the CR just before it; a lone CR is an ordinary character, and a
// last line without a line break is read whole. Every line written ends with CR LF.
// Ctrl+Z has no special meaning. Output is buffered and reaches the file at
// the latest when the file is closed; a write failure may therefore be
// reported by CloseFile.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "framework/core/exceptions.h"
#include "framework/core/file_handles.h"

namespace trx {

// Open states of a file variable (Mode()).
inline constexpr int fmClosed = 0xD7B0;
inline constexpr int fmInput = 0xD7B1;
inline constexpr int fmOutput = 0xD7B2;
inline constexpr int fmInOut = 0xD7B3;

// What text and record files share: the name, the handle, the open state and
// the recorded I/O result.
class TFileVariable {
public:
    TFileVariable() = default;
    TFileVariable(const TFileVariable&) = delete;
    TFileVariable& operator=(const TFileVariable&) = delete;
    virtual ~TFileVariable();

    // Binds the variable to a file name; the file is not touched. An open
    // file is closed first.
    void AssignFile(const std::string& FileName);
    const std::string& FileName() const { return name_; }
    // fmClosed, fmInput, fmOutput or fmInOut.
    int Mode() const { return mode_; }
    bool IsOpen() const { return mode_ != fmClosed; }
    // The open handle (file_handles.h), -1 when closed.
    int Handle() const { return fd_; }
    // The recorded I/O result, cleared by reading it.
    int IOResult();
    // Closes the file; 103 when it is not open.
    void CloseFile();

protected:
    // False (and nothing to do) while a code is recorded.
    bool Ready() const { return ioResult_ == 0; }
    void SetError(int Code) {
        if (ioResult_ == 0) ioResult_ = Code;
    }
    // Closes an open file before it is opened again; errors are dropped.
    void CloseQuietly();
    // Opens the assigned file; records the code and returns false on failure.
    bool OpenHandle(uint16_t Access, uint16_t Share, TCreateDisposition How);
    void SetOpen(int Mode) { mode_ = Mode; }
    virtual int FlushOutput() { return 0; }
    virtual void ResetBuffers() {}

private:
    std::string name_;
    bool assigned_ = false;
    int fd_ = -1;
    int mode_ = fmClosed;
    int ioResult_ = 0;
};

class TTextFile : public TFileVariable {
public:
    TTextFile() = default;
    explicit TTextFile(const std::string& FileName) { AssignFile(FileName); }
    ~TTextFile() override;

    void Reset();
    void Rewrite();
    void Append();
    // Writes buffered output to the file.
    void Flush();

    // Reads the rest of the current line into S and moves to the next line;
    // at the end of the file S is empty.
    void ReadLn(std::string& S);
    // Skips the rest of the current line.
    void ReadLn();
    // Reads one byte (CR and LF included); at the end of the file C is
    // Ctrl+Z (26) and nothing is recorded.
    void Read(char& C);
    bool Eof();

    void Write(std::string_view S);
    void Write(char C) { Write(std::string_view(&C, 1)); }
    void WriteLn(std::string_view S = {});

private:
    int FlushOutput() override;
    void ResetBuffers() override;
    bool CheckInput();
    bool Fill();

    std::string in_;
    std::size_t inPos_ = 0;
    std::string out_;
};

// A file of records of RecSize bytes each. Reset opens an existing file
// with the access and share mode of FileMode (fmShareCompat allows every
// other open); Rewrite creates or empties the file for reading and writing
// with FileMode's share mode. Reset or Rewrite of an open file closes it
// first. Read past the end records 100, a failed write 101, a negative Seek
// 131; reading a file opened write-only or writing one opened read-only
// records 5.
class TRecordFile : public TFileVariable {
public:
    // A record size of 0 counts as 128 bytes.
    explicit TRecordFile(std::size_t RecSize) : recSize_(RecSize ? RecSize : 128) {}
    ~TRecordFile() override = default;

    // Access and share mode used by the next Reset (and share mode used by
    // the next Rewrite); the framework's FileMode, default read and write.
    uint16_t FileMode = fmOpenReadWrite;

    std::size_t RecSize() const { return recSize_; }
    void Reset();
    void Rewrite();
    // Moves to record RecNo (0-based); beyond the end is allowed.
    void Seek(int64_t RecNo);
    void Read(void* Rec);
    void Write(const void* Rec);
    // Number of whole records in the file, and the current record number;
    // -1 when they cannot be had (the code is recorded).
    int64_t FileSize();
    int64_t FilePos();
    bool Eof();
    // Cuts the file at the current position.
    void Truncate();

private:
    bool CheckOpen();
    std::size_t recSize_;
};

// A file of records of type T (trivially copyable, stored as its bytes).
template <class T>
class TFileOf : public TRecordFile {
    static_assert(std::is_trivially_copyable_v<T>, "records are stored as their bytes");

public:
    TFileOf() : TRecordFile(sizeof(T)) {}
    explicit TFileOf(const std::string& FileName) : TRecordFile(sizeof(T)) { AssignFile(FileName); }
    void Read(T& Rec) { TRecordFile::Read(&Rec); }
    void Write(const T& Rec) { TRecordFile::Write(&Rec); }
};

} // namespace trx
