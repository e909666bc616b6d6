// The text of --help and the two information switches, --help (-h) and --version, which
// tolvane takes only as its one and only argument: anywhere else "-h" would be a switch
// letter and "--help" may be the value of a parameter option (a title, say).
#pragma once

#include <cstring>

namespace app {

enum class InfoRequest { None, Help, Version };

inline InfoRequest infoRequest(int argc, const char* const* argv) {
    if (argc != 2) return InfoRequest::None;
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) return InfoRequest::Help;
    if (std::strcmp(argv[1], "--version") == 0) return InfoRequest::Version;
    return InfoRequest::None;
}

inline constexpr const char* kHelpText =
    "tolvane version 2.8 (32bit)\n"
    "RPLSファイルに番組情報を書き込みます.\n"
    "Writes programme information into an RPLS playlist file.\n"
    "\n"
    "使い方 / Usage:\n"
    "  tolvane コピースイッチ [-f PERCENT] SOURCE DESTINATION  コピー / copy mode\n"
    "  tolvane パラメータ [-w] DESTINATION                     設定 / parameter mode\n"
    "  tolvane コピースイッチ [-f PERCENT] --bdav FOLDER [--dry-run]\n"
    "                  BDAVフォルダの全プレイリスト / every playlist of a BDAV folder\n"
    "  SOURCE: RPLS または TS (188/192) / RPLS or TS file;  DESTINATION: RPLS\n"
    "\n"
    "コピースイッチ / Copy switches (-dtp のようにまとめて指定可 / may be grouped):\n"
    "  -d           放送日 / broadcast date\n"
    "  -t           開始時刻 / start time\n"
    "  -p           放送時間 / duration\n"
    "  -z           ゾーン / zone byte\n"
    "  -m           コードペア / code pair\n"
    "  -s           プライベートコード / private code (layout 0x0103)\n"
    "  -c           チャンネル名 / channel name\n"
    "  -n           チャンネル番号 / channel number\n"
    "  -b           番組名 / title\n"
    "  -i           番組内容 / description\n"
    "  -e           詳細情報 / extended description (layout 0x0108)\n"
    "  -x           番組内容と詳細情報を連結 / both descriptions as one (not -i, -e)\n"
    "  -g           ジャンル / genres\n"
    "  -f PERCENT   TSの検索開始位置 / TS: search from PERCENT (0..99, 50)\n"
    "\n"
    "パラメータ / Parameter options (値は次の引数 / the value is the next argument):\n"
    "  -D Y/M/D     放送日 / date (year 1..9999)\n"
    "  -T H:M:S     開始時刻 / start time\n"
    "  -P H:M:S     放送時間 / duration\n"
    "  -Z N         ゾーン / zone byte (0..255)\n"
    "  -M N/N       コードペア / code pair (0..65535 each)\n"
    "  -S XX        プライベートコード(2文字) / private code (two characters)\n"
    "  -C TEXT      チャンネル名 / channel name (20 bytes)\n"
    "  -N N         チャンネル番号 / channel number (0..65535)\n"
    "  -B TEXT      番組名 / title (255 bytes)\n"
    "  -I TEXT      番組内容, \\n で改行 / description, \\n = line break (1200 bytes)\n"
    "  -E TEXT      詳細情報, \\n で改行 / extended description (1200 bytes)\n"
    "  -G N         ジャンル, 3個まで / genre byte 0..255 (0x.. hex), up to three\n"
    "  -w           半角指定なしで符号化 / code texts without size controls\n"
    "\n"
    "  --bdav FOLDER  各プレイリストを再生するストリームから / each playlist from the\n"
    "               stream it plays (FOLDER: BDAV またはその親 / BDAV or its parent)\n"
    "  --dry-run    変更内容の表示のみ / show the changes, write nothing\n"
    "\n"
    "  -h, --help   この説明 / this help        --version   版数 / version\n"
    "終了ステータス / Exit status: 0 成功 / success, 1 エラー / error.  man tolvane\n";

}  // namespace app
