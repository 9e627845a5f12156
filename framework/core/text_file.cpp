#include "framework/core/text_file.h"

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace trx {

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
constexpr char kCtrlZ = 26;
} // namespace

// -- TFileVariable ----------------------------------------------------------

TFileVariable::~TFileVariable() {
    if (fd_ >= 0) close(fd_);
}

void TFileVariable::AssignFile(const std::string& FileName) {
    CloseQuietly();
    name_ = FileName;
    assigned_ = true;
}

int TFileVariable::IOResult() {
    const int code = ioResult_;
    ioResult_ = 0;
    return code;
}

void TFileVariable::CloseFile() {
    if (mode_ == fmClosed) {
        SetError(ioFileNotOpen);
        return;
    }
    int code = FlushOutput();
    if (close(fd_) != 0 && code == 0) code = ErrnoToIOResult(errno, name_);
    fd_ = -1;
    mode_ = fmClosed;
    ResetBuffers();
    if (code != 0) SetError(code);
}

void TFileVariable::CloseQuietly() {
    if (mode_ == fmClosed) return;
    (void)FlushOutput();
    close(fd_);
    fd_ = -1;
    mode_ = fmClosed;
    ResetBuffers();
}

bool TFileVariable::OpenHandle(uint16_t Access, uint16_t Share, TCreateDisposition How) {
    if (!assigned_) {
        SetError(ioFileNotAssigned);
        return false;
    }
    int handle = -1;
    const int code = FileOpenShared(name_, Access, Share, How, handle);
    if (code != 0) {
        SetError(code);
        return false;
    }
    fd_ = handle;
    return true;
}

// -- TTextFile --------------------------------------------------------------

TTextFile::~TTextFile() { CloseQuietly(); }

void TTextFile::Reset() {
    if (!Ready()) return;
    CloseQuietly();
    if (OpenHandle(fmOpenRead, fmShareDenyWrite, TCreateDisposition::cdOpenExisting)) SetOpen(fmInput);
}

void TTextFile::Rewrite() {
    if (!Ready()) return;
    CloseQuietly();
    if (OpenHandle(fmOpenWrite, fmShareDenyWrite, TCreateDisposition::cdCreateAlways)) SetOpen(fmOutput);
}

void TTextFile::Append() {
    if (!Ready()) return;
    CloseQuietly();
    if (!OpenHandle(fmOpenWrite, fmShareDenyWrite, TCreateDisposition::cdOpenExisting)) return;
    SetOpen(fmOutput);
    // A pipe or a device has no end to go to: its output simply follows.
    if (lseek(Handle(), 0, SEEK_END) < 0 && errno != ESPIPE) {
        const int code = ErrnoToIOResult(errno, FileName());
        CloseQuietly();
        SetError(code);
    }
}

void TTextFile::Flush() {
    if (!Ready()) return;
    if (!IsOpen()) return SetError(ioFileNotOpen);
    if (Mode() != fmOutput) return SetError(ioNotOpenForOutput);
    if (const int code = FlushOutput()) SetError(code);
}

int TTextFile::FlushOutput() {
    if (out_.empty()) return 0;
    const int size = static_cast<int>(out_.size());
    const int written = FileWrite(Handle(), out_.data(), size);
    out_.clear();
    return written == size ? 0 : ioDiskWrite;
}

void TTextFile::ResetBuffers() {
    in_.clear();
    inPos_ = 0;
    out_.clear();
}

bool TTextFile::CheckInput() {
    if (!Ready()) return false;
    if (!IsOpen()) {
        SetError(ioFileNotOpen);
        return false;
    }
    if (Mode() != fmInput) {
        SetError(ioNotOpenForInput);
        return false;
    }
    return true;
}

bool TTextFile::Fill() {
    in_.resize(kBufferSize);
    inPos_ = 0;
    const int n = FileRead(Handle(), in_.data(), static_cast<int>(kBufferSize));
    if (n < 0) {
        in_.clear();
        SetError(ioDiskRead);
        return false;
    }
    in_.resize(static_cast<std::size_t>(n));
    return n > 0;
}

void TTextFile::ReadLn(std::string& S) {
    S.clear();
    if (!CheckInput()) return;
    while (inPos_ < in_.size() || Fill()) {
        const auto lf = in_.find('\n', inPos_);
        if (lf == std::string::npos) {
            S.append(in_, inPos_, std::string::npos);
            inPos_ = in_.size();
            continue;
        }
        S.append(in_, inPos_, lf - inPos_);
        inPos_ = lf + 1;
        if (!S.empty() && S.back() == '\r') S.pop_back();
        return;
    }
}

void TTextFile::ReadLn() {
    std::string skipped;
    ReadLn(skipped);
}

void TTextFile::Read(char& C) {
    C = kCtrlZ;
    if (!CheckInput()) return;
    if (inPos_ >= in_.size() && !Fill()) return;
    C = in_[inPos_++];
}

bool TTextFile::Eof() {
    if (!CheckInput()) return true;
    if (inPos_ < in_.size()) return false;
    return !Fill();
}

void TTextFile::Write(std::string_view S) {
    if (!Ready()) return;
    if (!IsOpen()) return SetError(ioFileNotOpen);
    if (Mode() != fmOutput) return SetError(ioNotOpenForOutput);
    out_.append(S);
    if (out_.size() >= kBufferSize) {
        if (const int code = FlushOutput()) SetError(code);
    }
}

void TTextFile::WriteLn(std::string_view S) {
    Write(S);
    Write(std::string_view("\r\n", 2));
}

// -- TRecordFile ------------------------------------------------------------

void TRecordFile::Reset() {
    if (!Ready()) return;
    CloseQuietly();
    const uint16_t access = FileMode & 0x0F;
    if (access > fmOpenReadWrite) return SetError(ioInvalidParameter);
    uint16_t share = FileMode & 0xF0;
    if (share == fmShareCompat) share = fmShareDenyNone;
    if (!OpenHandle(access, share, TCreateDisposition::cdOpenExisting)) return;
    SetOpen(access == fmOpenRead ? fmInput : access == fmOpenWrite ? fmOutput : fmInOut);
}

void TRecordFile::Rewrite() {
    if (!Ready()) return;
    CloseQuietly();
    uint16_t share = FileMode & 0xF0;
    if (share == fmShareCompat) share = fmShareDenyNone;
    if (OpenHandle(fmOpenReadWrite, share, TCreateDisposition::cdCreateAlways)) SetOpen(fmInOut);
}

bool TRecordFile::CheckOpen() {
    if (!Ready()) return false;
    if (!IsOpen()) {
        SetError(ioFileNotOpen);
        return false;
    }
    return true;
}

void TRecordFile::Seek(int64_t RecNo) {
    if (!CheckOpen()) return;
    if (RecNo < 0) return SetError(ioNegativeSeek);
    if (lseek(Handle(), static_cast<off_t>(RecNo * static_cast<int64_t>(recSize_)), SEEK_SET) < 0)
        SetError(ErrnoToIOResult(errno, FileName()));
}

void TRecordFile::Read(void* Rec) {
    if (!CheckOpen()) return;
    if (Mode() == fmOutput) return SetError(ioAccessDenied);
    const off_t start = lseek(Handle(), 0, SEEK_CUR);
    const int want = static_cast<int>(recSize_);
    const int got = FileRead(Handle(), Rec, want);
    if (got == want) return;
    // A partial record is no record: the position stays at its start.
    if (got > 0 && start >= 0) (void)lseek(Handle(), start, SEEK_SET);
    SetError(ioDiskRead);
}

void TRecordFile::Write(const void* Rec) {
    if (!CheckOpen()) return;
    if (Mode() == fmInput) return SetError(ioAccessDenied);
    const int want = static_cast<int>(recSize_);
    if (FileWrite(Handle(), Rec, want) != want) SetError(ioDiskWrite);
}

int64_t TRecordFile::FileSize() {
    if (!CheckOpen()) return -1;
    struct stat st {};
    if (fstat(Handle(), &st) != 0) {
        SetError(ErrnoToIOResult(errno, FileName()));
        return -1;
    }
    return static_cast<int64_t>(st.st_size) / static_cast<int64_t>(recSize_);
}

int64_t TRecordFile::FilePos() {
    if (!CheckOpen()) return -1;
    const off_t pos = lseek(Handle(), 0, SEEK_CUR);
    if (pos < 0) {
        SetError(ErrnoToIOResult(errno, FileName()));
        return -1;
    }
    return static_cast<int64_t>(pos) / static_cast<int64_t>(recSize_);
}

bool TRecordFile::Eof() {
    if (!CheckOpen()) return true;
    const int64_t pos = FilePos();
    const int64_t size = FileSize();
    return pos < 0 || size < 0 || pos >= size;
}

void TRecordFile::Truncate() {
    if (!CheckOpen()) return;
    if (Mode() == fmInput) return SetError(ioAccessDenied);
    const off_t pos = lseek(Handle(), 0, SEEK_CUR);
    if (pos < 0 || ftruncate(Handle(), pos) != 0) SetError(ErrnoToIOResult(errno, FileName()));
}

} // namespace trx
