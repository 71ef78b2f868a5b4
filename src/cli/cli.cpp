// The console program's entry, the same on every system: the command line read and run.
#include "cli/cli.h"

#include "cli/commands.h"

namespace velkari_cli {

int RunCli(const std::vector<std::string>& args, TConsole& console) {
    std::string error;
    const auto line = ParseCommandLine(args, error);
    if (!line) {
        console.WriteError("velkari-cli: " + error + "\nTry velkari-cli --help.\n");
        return kExitUsage;
    }
    switch (line->Kind) {
        case TCommandKind::ckHelp:
            console.WriteOut(kHelpText);
            return kExitDone;
        case TCommandKind::ckVersion:
            console.WriteOut("velkari-cli " VELKARI_VERSION "\n");
            return kExitDone;
        case TCommandKind::ckWords:
            return RunWords(*line, console);
        case TCommandKind::ckTones:
            return RunTones(*line, console);
        case TCommandKind::ckPicture:
            return RunPicture(*line, console);
        case TCommandKind::ckConvert:
            break;
    }
    return RunConvert(*line, console);
}

}  // namespace velkari_cli
