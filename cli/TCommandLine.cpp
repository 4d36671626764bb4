#include "TCommandLine.h"

#include "TCliError.h"

namespace {

[[noreturn]] void Fail(const QString& message) {
    throw TCliError(message + QStringLiteral("\n詳しくは orvane-make --help を見てください。"),
                    TCliError::Failure);
}

// The value after an option, which must be there.
QString ValueOf(const QStringList& args, qsizetype& i) {
    if (i + 1 >= args.size())
        Fail(QStringLiteral("%1 の値がありません。").arg(args[i]));
    return args[++i];
}

bool YesNo(const QString& option, const QString& value) {
    if (value == u"yes")
        return true;
    if (value == u"no")
        return false;
    Fail(QStringLiteral("%1 には yes か no を指定してください。").arg(option));
}

void Require(const QString& value, const char* option) {
    if (value.isEmpty())
        Fail(QStringLiteral("%1 を指定してください。").arg(QLatin1String(option)));
}

}  // namespace

TCommandLine TCommandLine::Parse(const QStringList& args) {
    TCommandLine line;
    if (args.size() < 2 || args[1] == u"--help" || args[1] == u"-h" || args[1] == u"help") {
        line.Command = QStringLiteral("help");
        return line;
    }
    line.Command = args[1];
    if (line.Command != u"info" && line.Command != u"page" && line.Command != u"publish") {
        Fail(QStringLiteral("コマンド %1 はありません。").arg(line.Command));
    }
    for (qsizetype i = 2; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--help" || a == u"-h") {
            line.Command = QStringLiteral("help");
            return line;
        } else if (a == u"--template") {
            line.Template = ValueOf(args, i);
        } else if (a == u"--values") {
            line.Values = ValueOf(args, i);
        } else if (a == u"--out" && line.Command == u"page") {
            line.OutDir = ValueOf(args, i);
        } else if (a == u"--page") {
            const QString value = ValueOf(args, i);
            (line.Command == u"page" ? line.PageFile : line.RemotePage) = value;
        } else if (a == u"--overwrite" && line.Command == u"publish") {
            line.Overwrite = YesNo(a, ValueOf(args, i));
        } else if (a == u"--keep-going" && line.Command == u"publish") {
            line.KeepGoing = true;
        } else if (a.startsWith(u"-") || !line.Project.isEmpty()) {
            Fail(QStringLiteral("引数 %1 は使えません。").arg(a));
        } else {
            line.Project = a;
        }
    }
    Require(line.Project, "PROJECT.PT");
    if (line.Command == u"info")
        return line;
    Require(line.Template, "--template");
    Require(line.Values, "--values");
    if (line.Command == u"page")
        Require(line.OutDir, "--out");
    if (line.Command == u"publish")
        Require(line.RemotePage, "--page");
    if (line.PageFile.isEmpty())
        Fail(QStringLiteral("--page に空の名前は使えません。"));
    return line;
}

QString TCommandLine::Help() {
    return QStringLiteral(
        "orvane-make: ページテンプレート設定ファイル(.PT)からページを作り、公開します。\n"
        "\n"
        "使い方:\n"
        "  orvane-make info PROJECT.PT\n"
        "      読み込んだプロジェクトを JSON で表示します(入力項目、テンプレート、FTP 設定。\n"
        "      パスワードは設定の有無だけ)。\n"
        "  orvane-make page PROJECT.PT --template NAME --values VALUES.json --out DIR\n"
        "                   [--page FILE]\n"
        "      ページを DIR に FILE(既定 index.html)としてテンプレートの文字コードで、\n"
        "      画像をその横に書き、書いたパスを表示します。\n"
        "  orvane-make publish PROJECT.PT --template NAME --values VALUES.json --page NAME\n"
        "                   [--overwrite yes|no] [--keep-going]\n"
        "      ページを作り、プロジェクトの FTP 設定でページを DirHtml に NAME として、\n"
        "      画像をそれぞれの名前で DirImage にアップロードします。既にあるファイルは\n"
        "      --overwrite yes のときだけ置き換え(それ以外は飛ばして報告)、失敗の後は\n"
        "      --keep-going のときだけ続けます。ログは標準エラーに出ます。\n"
        "\n"
        "--template はテンプレートの名前、または \"#N\" で N 番目(0 から)。\n"
        "VALUES.json はタグ名をキーとするオブジェクトです:\n"
        "  一行・複数行入力欄   文字列\n"
        "  日時選択欄           \"YYYY-MM-DDThh:mm:ss[.zzz]\" (両方の選択欄にこの値)\n"
        "  プルダウンメニュー   選択肢の番号(0 から)、または表示名(最初に一致したもの)\n"
        "  画像                 {\"path\": \"元の画像\", \"file\": \"出力ファイル名\"}\n"
        "                       (file の既定は path のファイル名、相対パスは VALUES.json\n"
        "                       のフォルダから)\n"
        "値のない項目は入力欄の初期値(空、今日の 0:00、最初の選択肢)になります。\n"
        "\n"
        "終了コード: 0 成功、2 入力チェックの失敗(メッセージを標準エラーに出し、何も\n"
        "書きません)、1 その他のエラー(publish では保存できなかったファイルがあるとき)。\n");
}
