#pragma once
// The line commands that build and maintain a preset archive:
//   OPEN <carrier file>        CLEAR                     SAVE
//   IMPORT <disk path> <dir>   EXPORT <path> <disk folder>
//   SET <path> <text>          MKDIR <path>              DELETE <path>
//   RENAME <old path> <new path>
// A command word matches in any letter case and needs no blank after it; an
// argument is a run of characters up to a blank or a text in double quotes.
// Lines and archive names are Windows-1250 texts; disk paths in a command may
// use backslashes as separators.

#include "files/impet.h"

#include <memory>
#include <string>
#include <string_view>

// Runs one command line against the current archive object (OPEN replaces
// it; a failed OPEN leaves none) and appends what it reports to `out`: the
// line itself, then the result text. Returns the command's number.
int ImpetExecuteCommand(std::unique_ptr<CImpet>& impet, std::string_view line, std::string& out);

// The same against an archive object that stays in place (the program's own);
// after a failed OPEN it holds an empty, cleared archive.
int ImpetExecuteCommand(CImpet& impet, std::string_view line, std::string& out);
