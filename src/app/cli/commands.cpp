#include "clicommand.h"

namespace vendara::cli {

// Each subcommand lives in a file of its own beside this one.
int runSettings(CliContext &, const QStringList &);

const std::vector<CliCommand> &allCommands()
{
    static const std::vector<CliCommand> commands = {
        {"settings", "", "設定ファイルの値を表示します", false, runSettings},
    };
    return commands;
}

} // namespace vendara::cli
