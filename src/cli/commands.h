// The console program's commands, each returning the exit status.
#pragma once

#include "cli/cli.h"
#include "cli/command_line.h"

namespace velkari_cli {

int RunConvert(const TCommandLine& line, TConsole& console);
int RunWords(const TCommandLine& line, TConsole& console);
int RunTones(const TCommandLine& line, TConsole& console);
int RunPicture(const TCommandLine& line, TConsole& console);

}  // namespace velkari_cli
