// The text of --help and the two information switches, --help (-h) and --version, which
// KORVET takes only as its one and only argument, so that no command line that converts a
// file changes its meaning.
#pragma once

#include <cstring>

namespace korvet {

enum class InfoRequest { None, Help, Version };

inline InfoRequest infoRequest(int argc, const char* const* argv) {
    if (argc != 2) return InfoRequest::None;
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) return InfoRequest::Help;
    if (std::strcmp(argv[1], "--version") == 0) return InfoRequest::Version;
    return InfoRequest::None;
}

inline constexpr const char* kHelpText =
    "KORVET TS converter version 2.2 (32bit)\n"
    "TSファイルのパケット形式を変えて新しいファイルに保存します.\n"
    "Copies a TS file into a new file in another packet format.\n"
    "\n"
    "使い方 / Usage:  KORVET [スイッチ / switches] INPUT OUTPUT\n"
    "                 KORVET --check [--json] [-d] [-x] [-v N] INPUT\n"
    "  OUTPUT は新規作成 / OUTPUT must not exist yet\n"
    "  - は標準入力・標準出力 / - is standard input or output (messages then on stderr)\n"
    "\n"
    "変換 (一つだけ) / Conversion (one at most):\n"
    "  (なし/none)  BD192 -> FW192\n"
    "  -r           FW192 -> BD192\n"
    "  -n           BD192, FW192 -> 188\n"
    "  -f           188 -> FW192 (PCRから時刻 / times from the PCR)\n"
    "  -b           188 -> BD192 (PCRから時刻 / times from the PCR)\n"
    "\n"
    "スイッチ / Switches (-fd のようにまとめて指定可 / may be grouped):\n"
    "  -p           サイクルオフセット3000 / FW192 cycle offset of 3000, not 3072\n"
    "  -t PID       PCR_PIDを16進で指定 / PCR PID in hexadecimal (-f, -b)\n"
    "  -v N         64KiBブロックN個ずつ読む / read N 64 KiB blocks at a time (1)\n"
    "  -x           バッファ付き入出力 / buffered instead of unbuffered I/O\n"
    "  -d           進捗表示なし / no progress; -f, -b: a trace character per PCR\n"
    "  --check      ドロップ・エラー・スクランブルをPID毎に数える (変換と同時も可)\n"
    "               count drops, errors and scrambled packets per PID (alone or while converting)\n"
    "  --json       --check の結果をJSONで標準出力へ / the check's figures as JSON on stdout\n"
    "\n"
    "  -h, --help   この説明 / this help        --version   版数 / version\n"
    "終了ステータス / Exit status: 0 成功 / success, 1 エラー / error,\n"
    "  2 --check のみで問題あり / --check alone found drops, errors, scrambled or removed bytes.\n"
    "  man KORVET\n";

}  // namespace korvet
