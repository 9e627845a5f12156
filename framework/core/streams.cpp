#include "framework/core/streams.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <unistd.h>

namespace trx {

// -- TStream ----------------------------------------------------------------

int64_t TStream::Size() {
    const int64_t pos = Seek(0, TSeekOrigin::soCurrent);
    const int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(pos, TSeekOrigin::soBeginning);
    return size;
}

void TStream::SetSize(int64_t) {}

void TStream::ReadBuffer(void* Buffer, int Count) {
    if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int Count) {
    if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count) {
    if (Count == 0) {
        Source.SetPosition(0);
        Count = Source.Size();
    }
    const int64_t total = Count;
    std::vector<char> buffer(static_cast<std::size_t>(std::min<int64_t>(std::max<int64_t>(Count, 1), 61440)));
    while (Count > 0) {
        const int n = static_cast<int>(std::min<int64_t>(Count, static_cast<int64_t>(buffer.size())));
        Source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        Count -= n;
    }
    return total;
}

// -- THandleStream ----------------------------------------------------------

int THandleStream::Read(void* Buffer, int Count) {
    int done = 0;
    char* p = static_cast<char*>(Buffer);
    while (done < Count) {
        const int n = FileRead(handle_, p + done, Count - done);
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int THandleStream::Write(const void* Buffer, int Count) {
    const int n = FileWrite(handle_, Buffer, Count);
    return n < 0 ? 0 : n;
}

int64_t THandleStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    return FileSeek(handle_, Offset, static_cast<int>(Origin));
}

void THandleStream::SetSize(int64_t NewSize) {
    const int64_t pos = Position();
    if (NewSize < 0 || ftruncate(handle_, static_cast<off_t>(NewSize)) != 0) throw EStreamError("Stream size error");
    if (pos > NewSize) Seek(NewSize, TSeekOrigin::soBeginning);
}

// -- TFileStream ------------------------------------------------------------

namespace {

int OpenFileStream(const std::string& FileName, uint16_t Mode) {
    if ((Mode & fmCreate) == fmCreate) {
        const int h = FileCreate(FileName, Mode & 0xF0);
        if (h < 0) throw EFCreateError("Cannot create file " + FileName);
        return h;
    }
    const int h = FileOpen(FileName, Mode);
    if (h < 0) throw EFOpenError("Cannot open file " + FileName);
    return h;
}

} // namespace

TFileStream::TFileStream(const std::string& FileName, uint16_t Mode)
    : THandleStream(OpenFileStream(FileName, Mode)), fileName_(FileName) {}

TFileStream::~TFileStream() { FileClose(handle_); }

// -- TCustomMemoryStream ----------------------------------------------------

int TCustomMemoryStream::Read(void* Buffer, int Count) {
    const int64_t size = Size();
    if (Count <= 0 || position_ >= size) return 0;
    const int n = static_cast<int>(std::min<int64_t>(Count, size - position_));
    std::memcpy(Buffer, data_.data() + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

int TCustomMemoryStream::Write(const void* Buffer, int Count) {
    if (Count <= 0) return 0;
    const int64_t end = position_ + Count;
    if (end > Size()) data_.resize(static_cast<std::size_t>(end));
    std::memcpy(data_.data() + position_, Buffer, static_cast<std::size_t>(Count));
    position_ = end;
    return Count;
}

int64_t TCustomMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    int64_t base = 0;
    switch (Origin) {
    case TSeekOrigin::soBeginning: base = 0; break;
    case TSeekOrigin::soCurrent: base = position_; break;
    case TSeekOrigin::soEnd: base = Size(); break;
    }
    position_ = std::max<int64_t>(0, base + Offset);
    return position_;
}

void TCustomMemoryStream::SetSize(int64_t NewSize) {
    data_.resize(static_cast<std::size_t>(std::max<int64_t>(0, NewSize)));
    if (position_ > Size()) position_ = Size();
}

// -- TMemoryStream ----------------------------------------------------------

void TMemoryStream::Clear() {
    data_.clear();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
    Stream.SetPosition(0);
    const int64_t size = Stream.Size();
    SetSize(size);
    if (size > 0) Stream.ReadBuffer(data_.data(), static_cast<int>(size));
    position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& Stream) { Stream.WriteBuffer(data_.data(), static_cast<int>(Size())); }

void TMemoryStream::LoadFromFile(const std::string& FileName) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TMemoryStream::SaveToFile(const std::string& FileName) {
    TFileStream stream(FileName, fmCreate);
    SaveToStream(stream);
}

// -- TStringStream ----------------------------------------------------------

std::string TStringStream::ReadString(int Count) {
    std::string s(static_cast<std::size_t>(std::max(0, Count)), '\0');
    s.resize(static_cast<std::size_t>(Read(s.data(), Count)));
    return s;
}

void TStringStream::WriteString(const std::string& AString) { Write(AString.data(), static_cast<int>(AString.size())); }

} // namespace trx
