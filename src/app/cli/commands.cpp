#include "clicommand.h"

namespace vendara::cli {

// Each subcommand lives in a file of its own beside this one.
int runSettings(CliContext &, const QStringList &);
int runRecalc(CliContext &, const QStringList &);
int runCheck(CliContext &, const QStringList &);

const std::vector<CliCommand> &allCommands()
{
    static const std::vector<CliCommand> commands = {
        {"settings", "", "設定ファイルの値を表示します", false, runSettings},
        {"recalc", "IN.pvq [OUT.pvq]", "伝票を再計算して書き込みます (OUT を省くと上書き)", false, runRecalc},
        {"check", "IN.pvq [--close 1,2,...] [--write OUT.pvq]", "セクションを閉じてチェックし、番号・状態・色を表示します", false, runCheck},
    };
    return commands;
}

} // namespace vendara::cli
