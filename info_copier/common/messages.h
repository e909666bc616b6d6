// The messages of tolvane, as printed (UTF-8).
#pragma once

namespace common::msg {

inline constexpr const char* kBanner = "\ntolvane version 2.8 (32bit)\n";
inline constexpr const char* kBadPercent = "-f オプションの引数が異常です.\n";
inline constexpr const char* kBadSwitch = "無効なスイッチが指定されました.\n";
inline constexpr const char* kTooManyArguments = "パラメータが多すぎます.\n";
inline constexpr const char* kNoOption = "コピーするオプションを指定して下さい.\n";
inline constexpr const char* kModesMixed = "コピーオプションとパラメータ指定オプションは同時指定できません.\n";
inline constexpr const char* kTextWithJoin = "-i, -x オプションは同時指定できません.\n";
inline constexpr const char* kExtTextWithJoin = "-e, -x オプションは同時指定できません.\n";
inline constexpr const char* kTooFewArguments = "パラメータが足りません.\n";
inline constexpr const char* kSourceOpenFailed = "コピー元ファイル %s を開くのに失敗しました.\n";
inline constexpr const char* kSourceNotRecognised =
    "コピー元ファイル %s は有効なRPLSファイル，TSファイルではありません.\n";
inline constexpr const char* kSourceReadFailed = "コピー元ファイル %s の読み込みに失敗しました.\n";
inline constexpr const char* kNoProgrammeInfo = "コピー元ファイル %s から有効な番組情報を検出できませんでした.\n";
inline constexpr const char* kDestinationOpenFailed = "コピー先ファイル %s を開くのに失敗しました.\n";
inline constexpr const char* kDestinationNotRpls = "コピー先ファイル %s は正常なRPLSファイルではありません.\n";
inline constexpr const char* kDestinationReadFailed = "コピー先ファイル %s の読み込みに失敗しました.\n";
inline constexpr const char* kBufferAllocationFailed = "バッファメモリの確保に失敗しました.\n";
inline constexpr const char* kReadBufferAllocationFailed = "読み込みバッファメモリの確保に失敗しました.\n";
inline constexpr const char* kSaveFailed = "コピー先ファイル %s への保存に失敗しました.\n";
// Second line after kSaveFailed: whether the destination holds its original bytes again.
inline constexpr const char* kSaveRestored = "コピー先ファイルの内容は元に戻しました.\n";
inline constexpr const char* kSaveDamaged =
    "コピー先ファイルの内容を元に戻せませんでした.ファイルが壊れている可能性があります.\n";
inline constexpr const char* kDone = "コピーしました.\n";

}  // namespace common::msg
