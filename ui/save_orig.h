// What a report run changes in the application and the printer, kept when
// the run starts and put back when it ends.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/stringlist.h"
#include "framework/forms/control.h"

namespace trx {

class TFont;

class TSaveOrig : public TObject {
public:
    // Keeps the printer's title, index and canvas font, the application's
    // hint switch, hint handler and help file, and the screen cursor.
    TSaveOrig();
    ~TSaveOrig() override;
    TSaveOrig(const TSaveOrig&) = delete;
    TSaveOrig& operator=(const TSaveOrig&) = delete;

    // Puts everything back: the printer's font, index and title, then the
    // application's hint switch, hint handler and help file and the screen
    // cursor. A step that fails does not keep the others from running; the
    // first failure is raised at the end.
    void Restore();

    int32_t OrigPrinterIndex = -1;
    std::unique_ptr<TFont> OrigPrinterFont;
    std::string OrigHelpFile;
    std::string OrigPrinterTitle;
    bool OrigShowHint = false;
    TNotifyEvent OrigOnHint;
    TCursor OrigCursor = crDefault;
};

} // namespace trx
