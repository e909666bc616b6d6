// The messages of KORVET, as printed (UTF-8).
#pragma once

namespace korvet::msg {

inline constexpr const char* kBanner = "\nKORVET TS converter version 2.2 (32bit)\n";

// Command line.
inline constexpr const char* kBadSwitch = "無効なスイッチが指定されました.\n";
inline constexpr const char* kBadPcrPidArgument = "-tオプションの引数が異常です.\n";
inline constexpr const char* kBadReadBlocksArgument = "-vオプションの引数が異常です.\n";
inline constexpr const char* kTooManyArguments = "パラメータが多すぎます.\n";
inline constexpr const char* kTooFewArguments = "パラメータが足りません.\n";
inline constexpr const char* kDuplicateConversion = "変換オプション -r, -f, -b, -n の重複指定です.\n";

// Conversion run.
inline constexpr const char* kStarting = " 変換を開始します.\n";
inline constexpr const char* kPcrPid = "PCR_PID : 0x%.4X\n";
inline constexpr const char* kProgressStart = "変換中(0%%).\r";
inline constexpr const char* kProgress = "変換中(%d%%).    \r";
// The progress line on an input of unknown size (standard input): the bytes read so far.
inline constexpr const char* kProgressBytes = "変換中(%lld bytes).    \r";
inline constexpr const char* kPcrLost = "PCRパケットを検出できません.変換を中止します.\n";
inline constexpr const char* kPcrLostHint = "PCR_PIDが間違っているか、途中でPCR_PIDが変わった可能性があります.\n";
inline constexpr const char* kInterrupted = "変換を中断しました.出力ファイルは途中までの不完全なものです.\n";
inline constexpr const char* kInterruptedBeforeOutput = "変換を中断しました.出力ファイルは作成していません.\n";
inline constexpr const char* kNoPackets = "入力ファイルに有効なパケットがありませんでした.変換を中止します.\n";
inline constexpr const char* kOutputRemoved = "作成した出力ファイルは削除しました.\n";
inline constexpr const char* kOutputNotRemoved = "作成した出力ファイルを削除できませんでした.\n";
inline constexpr const char* kFinished = "ファイル終端まで正常に変換しました.(%d sec.)\n";
inline constexpr const char* kTotalRead = "total read  %lld bytes.\n";
inline constexpr const char* kTotalWrite = "total write %lld bytes.\n";

// Input format, checked before the output is made.
inline constexpr const char* kWrongPacketSize =
    "入力ファイルは%dバイトのパケットのファイルです.この変換は%dバイトのパケットを読みます.\n";
inline constexpr const char* kSwitchesForTs188 =
    "188バイトのパケットの変換は -f (188 -> FW192) か -b (188 -> BD192) です.出力ファイルは作成していません.\n";
inline constexpr const char* kSwitchesForTs192 =
    "192バイトのパケットの変換は -n (BD192, FW192 -> 188), -r (FW192 -> BD192) "
    "か変換オプションなし (BD192 -> FW192) です.出力ファイルは作成していません.\n";
inline constexpr const char* kNotFw192 =
    "入力ファイルのパケットヘッダはFW192のものではありません(サイクルカウント %d, サイクルオフセット %d; "
    "FW192では 0..7999, 0..%d).\n-r はFW192のファイルを読む変換です.出力ファイルは作成していません.\n";

// Standard input and output ("-").
inline constexpr const char* kDiscoveryHint =
    "標準入力では読み込んだ最初の%lldバイトの中だけを探します. -t PID でPCR_PIDを指定するか, "
    "-v でより大きな値を指定して下さい.\n";
inline constexpr const char* kNoPacketsOnStandardOutput =
    "入力に有効なパケットがありませんでした.標準出力には何も書き込んでいません.\n";

// Stream check (--check).
inline constexpr const char* kCheckProgressStart = "検査中(0%%).\r";
inline constexpr const char* kCheckProgress = "検査中(%d%%).    \r";
inline constexpr const char* kCheckProgressBytes = "検査中(%lld bytes).    \r";
inline constexpr const char* kCheckInterruptedBeforePackets = "検査を中断しました.\n";
inline constexpr const char* kCheckInterrupted = "検査を中断しました.次の表は中断までに読んだ分です.\n";
inline constexpr const char* kNoPacketsFound =
    "入力の%lldバイトのどこにも188バイトまたは192バイトのパケットが見つかりませんでした.検査できません.\n";
inline constexpr const char* kJsonWithoutCheck = "--json は --check と一緒に指定して下さい.\n";
inline constexpr const char* kJsonWithPacketsOnStandardOutput =
    "--json は変換の出力が標準出力(-)のときには使えません.標準出力はパケットの出力です.\n";
inline constexpr const char* kHealthHeading = "PID            packets      drops     errors  scrambled\n";
inline constexpr const char* kHealthRow = "0x%04X  %14llu %10llu %10llu %10llu\n";
inline constexpr const char* kHealthTotal = "total   %14llu %10llu %10llu %10llu\n";
inline constexpr const char* kHealthRemoved = "removed bytes %lld\n";
inline constexpr const char* kHealthPacketSize = "packet size %d\n";

// PAT/PMT discovery.
inline constexpr const char* kNoPat =
    "PATパケットを検出できませんでした.\nTSファイルのパケットサイズ(188/192)を再確認して下さい.\n";
inline constexpr const char* kNoPmtPid =
    "PATから有効なPMT_PIDを検出できませんでした.\n正常なTSファイルでは無い可能性があります.\n";
inline constexpr const char* kNoPmt =
    "有効なPMTパケットを検出できませんでした.\n表示されているPMT_PIDが正しいか確認して下さい. PMT_PID : 0x%.4X\n";

// File input.
inline constexpr const char* kInputOpenFailed = "読み込みファイルを開くのに失敗しました.\n";
inline constexpr const char* kReadBufferFailed = "読み込みバッファメモリの確保に失敗しました.\n";
inline constexpr const char* kEmptyInput = "データ読み込み中にエラーが発生しました.(データ範囲外の読み込み)\n";
inline constexpr const char* kReadFailed = "データ読み込み中にエラーが発生しました.\n";
inline constexpr const char* kRemovedBytes = "%lldバイトの不正なデータを削除しました.\n";

// File output.
inline constexpr const char* kOutputCreateFailed = "保存先ファイルを作成するのに失敗しました.\n";
inline constexpr const char* kOutputReopenFailed = "保存先ファイルを開くのに失敗しました.\n";
inline constexpr const char* kWriteBufferFailed = "書き込みバッファメモリの確保に失敗しました.\n";
inline constexpr const char* kWriteFailed = "データ書き込み中にエラーが発生しました.\n";
inline constexpr const char* kRingOverflow =
    "データ書き込み用バッファメモリがオーバーフローしました.\n変換を中止します.\n";

}  // namespace korvet::msg
