#include "framework/forms/clipboard.h"

namespace trx {

namespace {
class TMemoryClipboard : public TClipboardBackend {
public:
    std::string GetText() override { return text_; }
    void SetText(const std::string& Text) override { text_ = Text; }

private:
    std::string text_;
};

TMemoryClipboard& Memory() {
    static TMemoryClipboard memory;
    return memory;
}

TClipboardBackend*& Current() {
    static TClipboardBackend* current = nullptr;
    return current;
}

TClipboardBackend& Backend() { return Current() ? *Current() : Memory(); }
} // namespace

std::string TClipboard::AsText() const { return Backend().GetText(); }
void TClipboard::SetAsText(const std::string& Value) { Backend().SetText(Value); }

TClipboard* Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}

void SetClipboardBackend(TClipboardBackend* Backend) { Current() = Backend; }

} // namespace trx
