// The clipboard. Headless it keeps the text in memory; a backend installs
// the system clipboard.
#pragma once

#include <string>

namespace trx {

class TClipboardBackend {
public:
    virtual ~TClipboardBackend() = default;
    virtual std::string GetText() = 0;
    virtual void SetText(const std::string& Text) = 0;
};

class TClipboard {
public:
    std::string AsText() const;
    void SetAsText(const std::string& Value);
    bool HasText() const { return !AsText().empty(); }
    void Clear() { SetAsText(""); }
};

TClipboard* Clipboard();
// Installs Backend (not owned); nullptr restores the in-memory clipboard.
void SetClipboardBackend(TClipboardBackend* Backend);

} // namespace trx
