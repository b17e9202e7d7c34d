// The texts of the message library in both of its languages, and the
// dialog template numbers it hands out: the library fills the message
// table from them, and the programs fall back on them for a slot that a
// library (an older or foreign msg.dll in the Windows folder) leaves empty.
// Each program links only the tables it names.
#ifndef PLATFORM_MSGTEXTS_H
#define PLATFORM_MSGTEXTS_H

#include "platform/msglib.h"
#include "platform/templates.h"

#define SLOT_COUNT(table) static_cast<int>(sizeof(table) / sizeof(table)[0])

// ---- Japanese (code page 932)
// DirectXのセットアップを完了するには、Windowsを再起動する必要があります。\n今すぐWindowsを再起動しますか？
static const char TextRestartAskJa[] =
    "DirectX\x82\xCC\x83Z\x83" "b\x83g\x83" "A\x83" "b\x83v\x82\xF0\x8A\xAE\x97\xB9\x82\xB7\x82\xE9\x82\xC9\x82\xCD\x81" "AWindows\x82\xF0\x8D\xC4\x8BN\x93\xAE\x82\xB7\x82\xE9\x95K\x97v\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81" "B\n\x8D\xA1\x82\xB7\x82\xAEWindows\x82\xF0\x8D\xC4\x8BN\x93\xAE\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81H";
// Windowsを再起動できませんでした。\nゲームを始める前に、Windowsを再起動してください。
static const char TextRestartFailedJa[] =
    "Windows\x82\xF0\x8D\xC4\x8BN\x93\xAE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81" "B\n\x83Q\x81[\x83\x80\x82\xF0\x8En\x82\xDF\x82\xE9\x91O\x82\xC9\x81" "AWindows\x82\xF0\x8D\xC4\x8BN\x93\xAE\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
// Windowsは再起動されません。\nゲームを始める前に、必ずWindowsを再起動してください。
static const char TextRestartDeclinedJa[] =
    "Windows\x82\xCD\x8D\xC4\x8BN\x93\xAE\x82\xB3\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x81" "B\n\x83Q\x81[\x83\x80\x82\xF0\x8En\x82\xDF\x82\xE9\x91O\x82\xC9\x81" "A\x95K\x82\xB8Windows\x82\xF0\x8D\xC4\x8BN\x93\xAE\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
// セットアップが完了しました。\nゲームを始める前に、Windowsを再起動してください。
static const char TextEndNoticeJa[] =
    "\x83Z\x83" "b\x83g\x83" "A\x83" "b\x83v\x82\xAA\x8A\xAE\x97\xB9\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B\n\x83Q\x81[\x83\x80\x82\xF0\x8En\x82\xDF\x82\xE9\x91O\x82\xC9\x81" "AWindows\x82\xF0\x8D\xC4\x8BN\x93\xAE\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
// 削除が完了しました。
static const char TextRemovedJa[] =
    "\x8D\xED\x8F\x9C\x82\xAA\x8A\xAE\x97\xB9\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B";
// アンインストール情報ファイルを削除できませんでした。
static const char TextIniNotDeletedJa[] =
    "\x83" "A\x83\x93\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x8F\xEE\x95\xF1\x83t\x83@\x83" "C\x83\x8B\x82\xF0\x8D\xED\x8F\x9C\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81" "B";
// 一部の項目を削除できませんでした。\n残っているファイルやフォルダは手動で削除してください。
static const char TextRemoveFailedJa[] =
    "\x88\xEA\x95\x94\x82\xCC\x8D\x80\x96\xDA\x82\xF0\x8D\xED\x8F\x9C\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81" "B\n\x8E" "c\x82\xC1\x82\xC4\x82\xA2\x82\xE9\x83t\x83@\x83" "C\x83\x8B\x82\xE2\x83t\x83H\x83\x8B\x83_\x82\xCD\x8E\xE8\x93\xAE\x82\xC5\x8D\xED\x8F\x9C\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
// コピー元のファイルが見つかりません。
static const char TextCopyNoSourceJa[] =
    "\x83R\x83s\x81[\x8C\xB3\x82\xCC\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// ファイルが他のプログラムで使用されているため、コピーできません。\n他のプログラムを終了してから、もう一度セットアップを実行してください。
static const char TextCopySharingJa[] =
    "\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x91\xBC\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xC5\x8Eg\x97p\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xE9\x82\xBD\x82\xDF\x81" "A\x83R\x83s\x81[\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B\n\x91\xBC\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xF0\x8FI\x97\xB9\x82\xB5\x82\xC4\x82\xA9\x82\xE7\x81" "A\x82\xE0\x82\xA4\x88\xEA\x93x\x83Z\x83" "b\x83g\x83" "A\x83" "b\x83v\x82\xF0\x8E\xC0\x8Ds\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
// ファイルへのアクセスが拒否されたため、コピーできません。
static const char TextCopyAccessJa[] =
    "\x83t\x83@\x83" "C\x83\x8B\x82\xD6\x82\xCC\x83" "A\x83N\x83Z\x83X\x82\xAA\x8B\x91\x94\xDB\x82\xB3\x82\xEA\x82\xBD\x82\xBD\x82\xDF\x81" "A\x83R\x83s\x81[\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// ディスクの空き容量が足りないため、コピーできません。
static const char TextCopyDiskFullJa[] =
    "\x83" "f\x83" "B\x83X\x83N\x82\xCC\x8B\xF3\x82\xAB\x97" "e\x97\xCA\x82\xAA\x91\xAB\x82\xE8\x82\xC8\x82\xA2\x82\xBD\x82\xDF\x81" "A\x83R\x83s\x81[\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// インストールするファイルが見つかりません。
static const char TextNewerNoSourceJa[] =
    "\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xB7\x82\xE9\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// インストールするファイルの名前がディレクトリの名前になっています。
static const char TextNewerSourceDirJa[] =
    "\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xB7\x82\xE9\x83t\x83@\x83" "C\x83\x8B\x82\xCC\x96\xBC\x91O\x82\xAA\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xCC\x96\xBC\x91O\x82\xC9\x82\xC8\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81" "B";
// インストール先に同じ名前のディレクトリがあるため、ファイルをインストールできません。
static const char TextNewerDestDirJa[] =
    "\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x90\xE6\x82\xC9\x93\xAF\x82\xB6\x96\xBC\x91O\x82\xCC\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xAA\x82\xA0\x82\xE9\x82\xBD\x82\xDF\x81" "A\x83t\x83@\x83" "C\x83\x8B\x82\xF0\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// CD-ROMのファイルのバージョン情報を読み取れません。
static const char TextVersionSourceJa[] =
    "CD-ROM\x82\xCC\x83t\x83@\x83" "C\x83\x8B\x82\xCC\x83o\x81[\x83W\x83\x87\x83\x93\x8F\xEE\x95\xF1\x82\xF0\x93\xC7\x82\xDD\x8E\xE6\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// インストールされているファイルのバージョン情報を読み取れません。
static const char TextVersionTargetJa[] =
    "\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xE9\x83t\x83@\x83" "C\x83\x8B\x82\xCC\x83o\x81[\x83W\x83\x87\x83\x93\x8F\xEE\x95\xF1\x82\xF0\x93\xC7\x82\xDD\x8E\xE6\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// コピー先のディレクトリを作成できません。
static const char TextTreeMkdirJa[] =
    "\x83R\x83s\x81[\x90\xE6\x82\xCC\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// ファイルのコピーに失敗しました。
static const char TextTreeFailedJa[] =
    "\x83t\x83@\x83" "C\x83\x8B\x82\xCC\x83R\x83s\x81[\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B";
// コピー元のディレクトリを読み取れません。
static const char TextTreeListJa[] =
    "\x83R\x83s\x81[\x8C\xB3\x82\xCC\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xF0\x93\xC7\x82\xDD\x8E\xE6\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// コピー先のディレクトリと同じ名前のファイルがあります。
static const char TextTreeDirIsFileJa[] =
    "\x83R\x83s\x81[\x90\xE6\x82\xCC\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xC6\x93\xAF\x82\xB6\x96\xBC\x91O\x82\xCC\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81" "B";
// コピー先に、コピーするファイルと同じ名前のディレクトリがあります。
static const char TextTreeFileIsDirFirstJa[] =
    "\x83R\x83s\x81[\x90\xE6\x82\xC9\x81" "A\x83R\x83s\x81[\x82\xB7\x82\xE9\x83t\x83@\x83" "C\x83\x8B\x82\xC6\x93\xAF\x82\xB6\x96\xBC\x91O\x82\xCC\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81" "B";
// コピー先に、コピーするファイルと同じ名前のディレクトリがあるため、コピーを中止しました。
static const char TextTreeFileIsDirLaterJa[] =
    "\x83R\x83s\x81[\x90\xE6\x82\xC9\x81" "A\x83R\x83s\x81[\x82\xB7\x82\xE9\x83t\x83@\x83" "C\x83\x8B\x82\xC6\x93\xAF\x82\xB6\x96\xBC\x91O\x82\xCC\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xAA\x82\xA0\x82\xE9\x82\xBD\x82\xDF\x81" "A\x83R\x83s\x81[\x82\xF0\x92\x86\x8E~\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B";
// ファイルを削除できません。
static const char TextDeleteFileJa[] =
    "\x83t\x83@\x83" "C\x83\x8B\x82\xF0\x8D\xED\x8F\x9C\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// ディレクトリを削除できません。
static const char TextDeleteDirJa[] =
    "\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xF0\x8D\xED\x8F\x9C\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// ディレクトリが見つからないか、読み取れません。
static const char TextDeleteListJa[] =
    "\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE7\x82\xC8\x82\xA2\x82\xA9\x81" "A\x93\xC7\x82\xDD\x8E\xE6\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x81" "B";

// 次のフォルダは、この製品のインストール先であることを確認できないため、削除せずにそのまま残しました（セットアップがインストール先に作成した設定ファイルがありません）。
static const char TextNotOwnedJa[] =
    "\x8E\x9F\x82\xCC\x83t\x83H\x83\x8B\x83_\x82\xCD\x81" "A\x82\xB1\x82\xCC\x90\xBB\x95i\x82\xCC\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x90\xE6\x82\xC5\x82\xA0\x82\xE9\x82\xB1\x82\xC6\x82\xF0\x8Am\x94" "F\x82\xC5\x82\xAB\x82\xC8\x82\xA2\x82\xBD\x82\xDF\x81" "A\x8D\xED\x8F\x9C\x82\xB9\x82\xB8\x82\xC9\x82\xBB\x82\xCC\x82\xDC\x82\xDC\x8E" "c\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81i\x83Z\x83" "b\x83g\x83" "A\x83" "b\x83v\x82\xAA\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x90\xE6\x82\xC9\x8D\xEC\x90\xAC\x82\xB5\x82\xBD\x90\xDD\x92\xE8\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81j\x81" "B";

// 次のフォルダにアクセスできませんでした（ドライブまたはネットワーク共有が応答しません）。フォルダの中のものは何も削除していません。フォルダにアクセスできるようになってから、もう一度削除を実行してください。
static const char TextNotReachedJa[] =
    "\x8E\x9F\x82\xCC\x83t\x83H\x83\x8B\x83_\x82\xC9\x83" "A\x83N\x83Z\x83X\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81i\x83h\x83\x89\x83" "C\x83u\x82\xDC\x82\xBD\x82\xCD\x83l\x83" "b\x83g\x83\x8F\x81[\x83N\x8B\xA4\x97L\x82\xAA\x89\x9E\x93\x9A\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x81j\x81" "B\x83t\x83H\x83\x8B\x83_\x82\xCC\x92\x86\x82\xCC\x82\xE0\x82\xCC\x82\xCD\x89\xBD\x82\xE0\x8D\xED\x8F\x9C\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\x81" "B\x83t\x83H\x83\x8B\x83_\x82\xC9\x83" "A\x83N\x83Z\x83X\x82\xC5\x82\xAB\x82\xE9\x82\xE6\x82\xA4\x82\xC9\x82\xC8\x82\xC1\x82\xC4\x82\xA9\x82\xE7\x81" "A\x82\xE0\x82\xA4\x88\xEA\x93x\x8D\xED\x8F\x9C\x82\xF0\x8E\xC0\x8Ds\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
// ゲームが実行中のため、何も削除していません。ゲームを終了してから、もう一度削除を実行してください。
// インストール先の次のリンクは、そのまま残しました。このシステムでは、リンク先のものを削除せずにリンクだけを削除することはできません（リンク先はこの製品のものではありません）。リンクは手動で削除してください。
static const char TextLinkLeftJa[] =
    "\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x90\xE6\x82\xCC\x8E\x9F\x82\xCC\x83\x8A\x83\x93\x83N\x82\xCD\x81" "A\x82\xBB\x82\xCC\x82\xDC\x82\xDC\x8E" "c\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B\x82\xB1\x82\xCC\x83V\x83X\x83" "e\x83\x80\x82\xC5\x82\xCD\x81" "A\x83\x8A\x83\x93\x83N\x90\xE6\x82\xCC\x82\xE0\x82\xCC\x82\xF0\x8D\xED\x8F\x9C\x82\xB9\x82\xB8\x82\xC9\x83\x8A\x83\x93\x83N\x82\xBE\x82\xAF\x82\xF0\x8D\xED\x8F\x9C\x82\xB7\x82\xE9\x82\xB1\x82\xC6\x82\xCD\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81i\x83\x8A\x83\x93\x83N\x90\xE6\x82\xCD\x82\xB1\x82\xCC\x90\xBB\x95i\x82\xCC\x82\xE0\x82\xCC\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81j\x81" "B\x83\x8A\x83\x93\x83N\x82\xCD\x8E\xE8\x93\xAE\x82\xC5\x8D\xED\x8F\x9C\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
static const char TextGameRunningJa[] =
    "\x83Q\x81[\x83\x80\x82\xAA\x8E\xC0\x8Ds\x92\x86\x82\xCC\x82\xBD\x82\xDF\x81" "A\x89\xBD\x82\xE0\x8D\xED\x8F\x9C\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\x81" "B\x83Q\x81[\x83\x80\x82\xF0\x8FI\x97\xB9\x82\xB5\x82\xC4\x82\xA9\x82\xE7\x81" "A\x82\xE0\x82\xA4\x88\xEA\x93x\x8D\xED\x8F\x9C\x82\xF0\x8E\xC0\x8Ds\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
// ---- English
static const char TextRestartAskEn[] =
    "Windows must be restarted to complete the DirectX setup.\nRestart Windows now?";
static const char TextRestartFailedEn[] =
    "Windows could not be restarted.\nPlease restart Windows before you start the game.";
static const char TextRestartDeclinedEn[] =
    "Windows will not be restarted now.\nBe sure to restart Windows before you start the game.";
static const char TextEndNoticeEn[] =
    "Setup is complete.\nPlease restart Windows before you start the game.";
static const char TextRemovedEn[] =
    "The product has been removed from your computer.";
static const char TextIniNotDeletedEn[] =
    "The uninstall settings file could not be deleted.";
static const char TextRemoveFailedEn[] =
    "Some items could not be removed.\nPlease delete the remaining files and folders yourself.";
static const char TextCopyNoSourceEn[] =
    "The file to copy was not found on the CD-ROM.";
static const char TextCopySharingEn[] =
    "The file is in use by another program and could not be copied.\nClose all other programs and run setup again.";
static const char TextCopyAccessEn[] =
    "Access to the file was denied; it could not be copied.";
static const char TextCopyDiskFullEn[] =
    "The disk is full; the file could not be copied.";
static const char TextNewerNoSourceEn[] =
    "The file to install was not found on the CD-ROM.";
static const char TextNewerSourceDirEn[] =
    "The name of the file to install is the name of a directory.";
static const char TextNewerDestDirEn[] =
    "A directory of the same name is in the way; the file cannot be installed.";
static const char TextVersionSourceEn[] =
    "The version information of the file on the CD-ROM cannot be read.";
static const char TextVersionTargetEn[] =
    "The version information of the installed file cannot be read.";
static const char TextTreeMkdirEn[] =
    "A destination directory cannot be created.";
static const char TextTreeFailedEn[] =
    "Copying the files failed.";
static const char TextTreeListEn[] =
    "A source directory cannot be read.";
static const char TextTreeDirIsFileEn[] =
    "A file has the name of a destination directory.";
static const char TextTreeFileIsDirFirstEn[] =
    "A directory has the name of a file to be copied.";
static const char TextTreeFileIsDirLaterEn[] =
    "A directory has the name of a file to be copied; copying stopped.";
static const char TextDeleteFileEn[] =
    "A file cannot be deleted.";
static const char TextDeleteDirEn[] =
    "A directory cannot be removed.";
static const char TextDeleteListEn[] =
    "The directory cannot be found or read.";
static const char TextNotOwnedEn[] =
    "The following folder was left as it is: it cannot be shown to be this "
    "product's installation folder (it does not hold the settings file that "
    "setup wrote there).";

static const char TextNotReachedEn[] =
    "The following folder could not be reached: its drive or network share "
    "does not answer. Nothing in it was removed; run the removal again once "
    "the folder can be reached.";
static const char TextLinkLeftEn[] =
    "The following link inside the installation folder was left as it is: "
    "this system cannot remove the link without removing what it points to, "
    "which is not this product's. Please delete the link yourself.";
static const char TextGameRunningEn[] =
    "The game is running, so nothing was removed. Close the game, then run "
    "the removal again.";
// The texts that the removal shows, in both programs.
static const MessageSlotText RemovalTextsJa[] = {
    {SLOT_REMOVED, TextRemovedJa},
    {SLOT_INI_NOT_DELETED, TextIniNotDeletedJa},
    {SLOT_REMOVE_FAILED, TextRemoveFailedJa},
    {SLOT_DELETE_FILE, TextDeleteFileJa},
    {SLOT_DELETE_DIR, TextDeleteDirJa},
    {SLOT_DELETE_LIST, TextDeleteListJa},
    {SLOT_NOT_OWNED, TextNotOwnedJa},
    {SLOT_NOT_REACHED, TextNotReachedJa},
    {SLOT_GAME_RUNNING, TextGameRunningJa},
    {SLOT_LINK_LEFT, TextLinkLeftJa},
};
static const MessageSlotText RemovalTextsEn[] = {
    {SLOT_REMOVED, TextRemovedEn},
    {SLOT_INI_NOT_DELETED, TextIniNotDeletedEn},
    {SLOT_REMOVE_FAILED, TextRemoveFailedEn},
    {SLOT_DELETE_FILE, TextDeleteFileEn},
    {SLOT_DELETE_DIR, TextDeleteDirEn},
    {SLOT_DELETE_LIST, TextDeleteListEn},
    {SLOT_NOT_OWNED, TextNotOwnedEn},
    {SLOT_NOT_REACHED, TextNotReachedEn},
    {SLOT_GAME_RUNNING, TextGameRunningEn},
    {SLOT_LINK_LEFT, TextLinkLeftEn},
};

// The texts only the setup program shows.
static const MessageSlotText SetupTextsJa[] = {
    {SLOT_RESTART_ASK, TextRestartAskJa},
    {SLOT_RESTART_FAILED, TextRestartFailedJa},
    {SLOT_RESTART_DECLINED, TextRestartDeclinedJa},
    {SLOT_END_NOTICE, TextEndNoticeJa},
    {SLOT_COPY_NO_SOURCE, TextCopyNoSourceJa},
    {SLOT_COPY_SHARING, TextCopySharingJa},
    {SLOT_COPY_ACCESS, TextCopyAccessJa},
    {SLOT_COPY_DISK_FULL, TextCopyDiskFullJa},
    {SLOT_NEWER_NO_SOURCE, TextNewerNoSourceJa},
    {SLOT_NEWER_SOURCE_DIR, TextNewerSourceDirJa},
    {SLOT_NEWER_DEST_DIR, TextNewerDestDirJa},
    {SLOT_VERSION_SOURCE, TextVersionSourceJa},
    {SLOT_VERSION_TARGET, TextVersionTargetJa},
    {SLOT_TREE_MKDIR, TextTreeMkdirJa},
    {SLOT_TREE_FAILED, TextTreeFailedJa},
    {SLOT_TREE_LIST, TextTreeListJa},
    {SLOT_TREE_DIR_IS_FILE, TextTreeDirIsFileJa},
    {SLOT_TREE_FILE_IS_DIR_FIRST, TextTreeFileIsDirFirstJa},
    {SLOT_TREE_FILE_IS_DIR_LATER, TextTreeFileIsDirLaterJa},
};
static const MessageSlotText SetupTextsEn[] = {
    {SLOT_RESTART_ASK, TextRestartAskEn},
    {SLOT_RESTART_FAILED, TextRestartFailedEn},
    {SLOT_RESTART_DECLINED, TextRestartDeclinedEn},
    {SLOT_END_NOTICE, TextEndNoticeEn},
    {SLOT_COPY_NO_SOURCE, TextCopyNoSourceEn},
    {SLOT_COPY_SHARING, TextCopySharingEn},
    {SLOT_COPY_ACCESS, TextCopyAccessEn},
    {SLOT_COPY_DISK_FULL, TextCopyDiskFullEn},
    {SLOT_NEWER_NO_SOURCE, TextNewerNoSourceEn},
    {SLOT_NEWER_SOURCE_DIR, TextNewerSourceDirEn},
    {SLOT_NEWER_DEST_DIR, TextNewerDestDirEn},
    {SLOT_VERSION_SOURCE, TextVersionSourceEn},
    {SLOT_VERSION_TARGET, TextVersionTargetEn},
    {SLOT_TREE_MKDIR, TextTreeMkdirEn},
    {SLOT_TREE_FAILED, TextTreeFailedEn},
    {SLOT_TREE_LIST, TextTreeListEn},
    {SLOT_TREE_DIR_IS_FILE, TextTreeDirIsFileEn},
    {SLOT_TREE_FILE_IS_DIR_FIRST, TextTreeFileIsDirFirstEn},
    {SLOT_TREE_FILE_IS_DIR_LATER, TextTreeFileIsDirLaterEn},
};

// The dialogs of the custom dialog library.
static const MessageSlotTemplate SlotTemplates[] = {
    {SLOT_NOTICE_BADNAME, TPL_NOTICE_BADNAME},
    {SLOT_NOTICE_ISFILE, TPL_NOTICE_ISFILE},
    {SLOT_NOTICE_CREATE, TPL_NOTICE_CREATE},
    {SLOT_NOTICE_ROOT, TPL_NOTICE_ROOT},
    {SLOT_NOTICE_SOURCE, TPL_NOTICE_SOURCE},
    {SLOT_NOTICE_EMPTY, TPL_NOTICE_EMPTY},
    {SLOT_QUIT, TPL_QUIT},
    {SLOT_FAILURE, TPL_FAILURE},
    {SLOT_MACHINE, TPL_MACHINE},
    {SLOT_REMOVE_OLD, TPL_REMOVE_OLD},
    {SLOT_LOW_DISK, TPL_LOW_DISK},
    {SLOT_ENDING, TPL_ENDING},
    {SLOT_DESTINATION, TPL_DESTINATION},
};

#endif
