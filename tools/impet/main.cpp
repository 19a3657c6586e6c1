// impet: runs preset-archive commands on any file, one command line per
// argument, or one per line of standard input when no argument is given:
//
//   impet "OPEN build/zeperon" "IMPORT presets/NEW_308 \"\"" SAVE
//
// Exits with 1 when a command reported an error.

#include "files/impet_command.h"
#include "platform/cp1250.h"

#include <QString>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

bool Run(std::unique_ptr<CImpet>& impet, const std::string& utf8Line)
{
    std::string out;
    ImpetExecuteCommand(impet, QStringToCp1250(QString::fromStdString(utf8Line)), out);
    std::string shown = QStringFromCp1250(out).toStdString();
    std::fwrite(shown.data(), 1, shown.size(), stdout);
    // Why entries were refused goes to the error stream, beside the results.
    if (impet && !impet->lastReason.empty()) {
        std::string reason = QStringFromCp1250(impet->lastReason).toStdString();
        std::fwrite(reason.data(), 1, reason.size(), stderr);
        impet->lastReason.clear();
    }
    return out.find(" (error)\n") == std::string::npos;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
        std::puts("usage: impet [COMMAND-LINE]...\n"
                  "Runs preset-archive commands, one per argument or one per line of standard input:\n"
                  "  OPEN file | CLEAR | SAVE | IMPORT disk-path dir | EXPORT path disk-folder\n"
                  "  SET path text | MKDIR path | DELETE path | RENAME old-path new-path\n"
                  "Archive paths use backslashes; \"\" is the root.");
        return 0;
    }
    ImpetBuildMagic();
    std::unique_ptr<CImpet> impet;
    bool ok = true;
    if (argc > 1) {
        for (int i = 1; i < argc; ++i)
            ok = Run(impet, argv[i]) && ok;
    } else {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            ok = Run(impet, line) && ok;
        }
    }
    return ok ? 0 : 1;
}
