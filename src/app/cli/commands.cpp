#include "clicommand.h"

namespace vendara::cli {

// Each subcommand lives in a file of its own beside this one.
int runSettings(CliContext &, const QStringList &);
int runRecalc(CliContext &, const QStringList &);
int runCheck(CliContext &, const QStringList &);
int runPostalCode(CliContext &, const QStringList &);
int runGtax(CliContext &, const QStringList &);
int runPrintdata(CliContext &, const QStringList &);
int runRender(CliContext &, const QStringList &);
int runPrint(CliContext &, const QStringList &);
int runPrinters(CliContext &, const QStringList &);
int runNumber(CliContext &, const QStringList &);
int runDoctor(CliContext &, const QStringList &);
int runList(CliContext &, const QStringList &);

const std::vector<CliCommand> &allCommands()
{
    static const std::vector<CliCommand> commands = {
        {"settings", "", "設定ファイルの値を表示します", false, runSettings},
        {"recalc", "IN.pvq [OUT.pvq]", "伝票を再計算して書き込みます (OUT を省くと上書き)", false, runRecalc},
        {"check", "IN.pvq [--close 1,2,...] [--write OUT.pvq]", "セクションを閉じてチェックし、番号・状態・色を表示します", false, runCheck},
        {"postalcode", "KEYWORD", "郵便番号辞書を検索します (郵便番号の先頭一致、または市区町村+町域の部分一致)", false, runPostalCode},
        {"zip", "KEYWORD", "postalcode の別名 (以前の名前)", false, runPostalCode},
        {"gtax", "[--rate R] AMOUNT...", "取得税を計算します (合計と税額を表示)", false, runGtax},
        {"printdata", "SLIP.pvq [--kind 見積書|注文書] [--format NAME|PATH] [--titles T1,T2,T3,T4] [--copies 1,2,3,4] [--logo NAME|PATH] -o OUT", "伝票と書式から印刷データを作成します", false, runPrintdata},
        {"render", "PRINTDATA -o OUT.pdf [--paper A4|B5|A3|Letter] [--landscape] [--correction X,Y] [--png DIR]", "印刷データをページに描いて PDF に書き出します", true, runRender},
        {"print", "SLIP.pvq (--pdf OUT.pdf [--paper A4|B5|A3|Letter] [--png DIR] | [--printer NAME] [--paper NAME] [--source NAME]) [--landscape] [--correction X,Y] [--kind 見積書|注文書] [--format NAME|PATH] [--titles T1,T2,T3,T4] [--copies 1,2,3,4] [--logo NAME|PATH]", "伝票を印刷の流れのとおりに PDF へ、またはプリンタへ印刷します (--pdf も --printer もなければ既定のプリンタ)", true, runPrint},
        {"printers", "", "プリンタと、その状態・用紙・給紙方法・解像度・用紙の大きさと印刷可能領域を表示します", false, runPrinters},
        {"number", "[--count N]", "新しい伝票を保存するときと同じように次の伝票番号を取り、表示します (N 個を 1 行に 1 つ)", false, runNumber},
        {"list", "[FOLDER...] [--query TEXT] [--kind estimate|order] [--staff NAME] [--from DATE] [--to DATE] [--format tsv|csv|json]", "フォルダの伝票を一覧にします (フォルダを省くと伝票を保存するフォルダ、日付は YYYY/MM/DD、更新日時の新しい順)", false, runList},
        {"doctor", "", "データフォルダを調べます (読み書き・ロック・設定ファイル・印刷設定・マスタ)。1 行に 1 項目、問題があれば終了コード 1", false, runDoctor},
    };
    return commands;
}

} // namespace vendara::cli
