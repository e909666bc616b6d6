// The messages of tolvane's folder run (--bdav), as printed (UTF-8).
#pragma once

namespace app::folder_msg {

// Command line.
inline constexpr const char* kNoFolder = "--bdav の後にフォルダを指定して下さい.\n";
inline constexpr const char* kTwoFolders = "--bdav は1回だけ指定して下さい.\n";
inline constexpr const char* kDryRunAlone = "--dry-run は --bdav と一緒に指定して下さい.\n";
inline constexpr const char* kParameterWithFolder = "--bdav ではパラメータ指定オプションは使えません.\n";
inline constexpr const char* kFileWithFolder = "--bdav ではフォルダのほかにファイル名 %s は指定できません.\n";

// The folder.
inline constexpr const char* kFolderUnreadable = "フォルダ %s を読み込めません.\n";
inline constexpr const char* kNoPlaylistFolder =
    "フォルダ %s には PLAYLIST フォルダがありません (BDAV フォルダかその親フォルダを指定して下さい).\n";
inline constexpr const char* kPlaylistFolderUnreadable = "フォルダ %s を読み込めません.\n";
inline constexpr const char* kNoPlaylists = "フォルダ %s にプレイリスト (*.rpls) がありません.\n";
inline constexpr const char* kDryRunHeading = "試行 (--dry-run): 何も書き込みません.\n";

// One line per playlist: the playlist, the stream, what happened.
inline constexpr const char* kFilled = "%s ← %s: 書き込みました. ";
inline constexpr const char* kWouldFill = "%s ← %s: 書き込みます. ";
inline constexpr const char* kUpToDate = "%s ← %s: 変更はありません. ";
inline constexpr const char* kNotFilled = "%s: 書き込みませんでした: %s\n";
inline constexpr const char* kNotFilledFromStream = "%s ← %s: 書き込みませんでした: %s\n";
inline constexpr const char* kWouldNotFill = "%s ← %s: 書き込めません: %s\n";
inline constexpr const char* kOnlyHiddenBytes =
    "    (表示される項目は変わりません. 項目の後ろの未使用部分などが変わります)\n";

// Why a playlist was not filled.
inline constexpr const char* kPlaylistOpenFailed =
    "プレイリストを開くのに失敗しました (ほかのプログラムが使用中か、書き込みが禁止されています)";
inline constexpr const char* kPlaylistNotRpls = "正常なRPLSファイルではありません";
inline constexpr const char* kPlaylistReadFailed = "プレイリストの読み込みに失敗しました";
inline constexpr const char* kBufferAllocationFailed = "バッファメモリの確保に失敗しました";
inline constexpr const char* kNoPlayItems = "PlayItem がありません (再生するクリップがありません)";
inline constexpr const char* kNotTransportStream = "クリップ %s は M2TS ではありません (%s)";
inline constexpr const char* kNoStreamFolder = "STREAM フォルダがありません";
inline constexpr const char* kStreamMissing = "クリップ %s のストリーム STREAM/%s.m2ts がありません";
inline constexpr const char* kStreamAmbiguous =
    "クリップ %s のストリームが STREAM に複数あります (大文字と小文字だけが違う名前)";
inline constexpr const char* kStreamOpenFailed = "ストリームを開くのに失敗しました";
inline constexpr const char* kStreamNotBd192 = "ストリームが192バイトパケットのTSファイルではありません";
inline constexpr const char* kNoProgrammeInfo = "ストリームから有効な番組情報を検出できませんでした";
inline constexpr const char* kSaveFailedRestored = "保存に失敗しました. プレイリストの内容は元に戻しました";
inline constexpr const char* kSaveFailedDamaged =
    "保存に失敗し、元に戻せませんでした. プレイリストが壊れている可能性があります";
inline constexpr const char* kNotWritable =
    "プレイリストに書き込めないため "
    "(ほかのプログラムが使用中か、書き込みが禁止されています)、実際の実行では書き込めません";
inline constexpr const char* kInterruptedBeforeSave = "中断の指示を受けたため";

// The end of a run.
inline constexpr const char* kSummary = "書き込み %d 件, 変更なし %d 件, 書き込めず %d 件 (プレイリスト %d 件).\n";
inline constexpr const char* kDryRunSummary =
    "試行の結果: 書き込み予定 %d 件, 変更なし %d 件, 書き込めず %d 件 (プレイリスト %d 件). 何も書き込んでいません.\n";
inline constexpr const char* kInterrupted =
    "中断しました. プレイリスト %d 件中 %d 件を処理しました. 残りのプレイリストには触れていません.\n";

}  // namespace app::folder_msg
