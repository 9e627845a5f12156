#include "engine/data_directory.h"

#include <utility>

#include "engine/trx_errors.h"
#include "framework/core/file_utils.h"
#include "framework/core/ini_file.h"
#include "framework/core/strings.h"
#include "framework/forms/dialogs.h"

namespace trx {

namespace {
TAskToCreateTBXDataDirectory& AskHook() {
    static TAskToCreateTBXDataDirectory ask;
    return ask;
}

void AskToCreate(std::string& Dir, bool HasRedirection) {
    if (AskHook())
        AskHook()(Dir, HasRedirection);
    else
        CreateDefaultTBXDataDirectory(Dir, HasRedirection);
}

void ShowIncorrectEntry(const TIniFile& Ini, const std::string& Key, const std::string& Dir) {
    const std::string msg = " Tabrix!  Redirection file (" + UpperCase(Ini.FileName()) +
                            ") directory entry is incorrect.\r"
                            "\r"
                            "  Section:  " +
                            std::string(TBXDirsSection) +
                            "\r"
                            "      Ident:  " +
                            Key +
                            "\r"
                            "Directory: \"" +
                            Dir +
                            "\"\r"
                            "\r"
                            "DIRECTORY DOES NOT EXIST.\r"
                            "\r"
                            "Press OK to correct";
    MessageDlg(msg, TMsgDlgType::mtWarning, TMsgDlgButtons{TMsgDlgBtn::mbOK}, 0);
}
} // namespace

void SetAskToCreateTBXDataDirectory(TAskToCreateTBXDataDirectory Ask) { AskHook() = std::move(Ask); }

void CreateDefaultTBXDataDirectory(std::string& Dir, bool HasRedirection) {
    if (HasRedirection) {
        Dir.clear();
        return;
    }
    Dir = GetProgramPath(false, ".TRX");
    if (!DirectoryExists(Dir)) CreateDir(Dir);
    Dir = DirectoryExists(Dir) ? FixFilePath(Dir, true) : std::string();
}

std::string GetTBXDataDir() {
    const std::string key = GetProgramPath(false, "");
    const TIniFile ini(TBXDirsIniName);
    const std::string value = ini.ReadString(TBXDirsSection, key, "");
    const bool hasRedirection = !value.empty();

    std::string dir;
    if (hasRedirection) {
        dir = FixFilePath(ParseStr(value, 1, ",", ""), true);
        if (!DirectoryExists(dir)) ShowIncorrectEntry(ini, key, dir);
    } else {
        dir = FixFilePath(GetProgramPath(false, ".TRX"), true);
    }

    if (dir.empty() || !DirectoryExists(dir)) AskToCreate(dir, hasRedirection);
    if (dir.empty())
        throw ETrxSUError(std::string(SetupErrorPrefix) +
                          "Report will not function because Tabrix! data directory is undefined");
    return FixFilePath(dir, true);
}

} // namespace trx
