// Streams: the abstract TStream, streams on files, in memory and on a string.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/exceptions.h"
#include "framework/core/file_handles.h"

namespace trx {

enum class TSeekOrigin : uint8_t { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    ~TStream() override = default;

    // Bytes actually read or written (fewer at the end, 0 on failure).
    virtual int Read(void* Buffer, int Count) = 0;
    virtual int Write(const void* Buffer, int Count) = 0;
    // Moves the position and returns the new one.
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t Pos) { Seek(Pos, TSeekOrigin::soBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t NewSize);

    // Exactly Count bytes, or EReadError "Stream read error" /
    // EWriteError "Stream write error".
    void ReadBuffer(void* Buffer, int Count);
    void WriteBuffer(const void* Buffer, int Count);
    // Copies Count bytes from Source's position, or all of Source from its
    // start when Count is 0; returns the bytes copied.
    int64_t CopyFrom(TStream& Source, int64_t Count);
};

// A stream on an open handle; the handle stays the caller's.
class THandleStream : public TStream {
public:
    explicit THandleStream(int Handle) : handle_(Handle) {}
    int Handle() const { return handle_; }
    int Read(void* Buffer, int Count) override;
    int Write(const void* Buffer, int Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    // Raises EStreamError when the size cannot be changed.
    void SetSize(int64_t NewSize) override;

protected:
    int handle_;
};

// A stream on a file it opens and closes. Mode is fmCreate (with an optional
// share mode) or an access mode with a share mode (file_handles.h; here
// fmShareCompat means exclusive). Raises EFCreateError "Cannot create file
// <name>" or EFOpenError "Cannot open file <name>"; LastFileError() then
// gives the I/O result code of the failure (32 for a sharing violation).
class TFileStream : public THandleStream {
public:
    TFileStream(const std::string& FileName, uint16_t Mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};

// Bytes held in memory, growing as they are written; a seek beyond the end
// is allowed and a write there fills the gap with zero bytes.
class TCustomMemoryStream : public TStream {
public:
    int Read(void* Buffer, int Count) override;
    int Write(const void* Buffer, int Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() override { return static_cast<int64_t>(data_.size()); }
    void SetSize(int64_t NewSize) override;

    char* Memory() { return data_.data(); }
    const char* Memory() const { return data_.data(); }

protected:
    TCustomMemoryStream() = default;
    explicit TCustomMemoryStream(std::string Data) : data_(std::move(Data)) {}
    std::string data_;
    int64_t position_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
public:
    void Clear();
    // Replaces the content with Stream's content from its start.
    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream);
    // Raise EFOpenError or EFCreateError as TFileStream does.
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);
};

// A stream on a byte string.
class TStringStream : public TCustomMemoryStream {
public:
    explicit TStringStream(std::string AString = {}) : TCustomMemoryStream(std::move(AString)) {}
    const std::string& DataString() const { return data_; }
    // Up to Count bytes from the position on.
    std::string ReadString(int Count);
    void WriteString(const std::string& AString);
};

} // namespace trx
