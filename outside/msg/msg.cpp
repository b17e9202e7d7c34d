// The message library: MsgSetup fills the message table of the setup
// program and of the uninstaller with the template numbers of the custom
// dialog library's dialogs and the addresses of this library's texts. One
// source, two builds: msg.dll (Japanese, code page 932, MSG_JAPANESE) and
// msgeng.dll (English). The texts live as long as the library is loaded.
#include "platform/msglib.h"
#include "platform/templates.h"

#ifdef MSG_JAPANESE
// DirectXのセットアップを完了するには、Windowsを再起動する必要があります。\n今すぐWindowsを再起動しますか？
static const char TextRestartAsk[] =
    "DirectX\x82\xCC\x83Z\x83" "b\x83g\x83" "A\x83" "b\x83v\x82\xF0\x8A\xAE\x97\xB9\x82\xB7\x82\xE9\x82\xC9\x82\xCD\x81" "AWindows\x82\xF0\x8D\xC4\x8BN\x93\xAE\x82\xB7\x82\xE9\x95K\x97v\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81" "B\n\x8D\xA1\x82\xB7\x82\xAEWindows\x82\xF0\x8D\xC4\x8BN\x93\xAE\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81H";
// Windowsを再起動できませんでした。\nゲームを始める前に、Windowsを再起動してください。
static const char TextRestartFailed[] =
    "Windows\x82\xF0\x8D\xC4\x8BN\x93\xAE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81" "B\n\x83Q\x81[\x83\x80\x82\xF0\x8En\x82\xDF\x82\xE9\x91O\x82\xC9\x81" "AWindows\x82\xF0\x8D\xC4\x8BN\x93\xAE\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
// Windowsは再起動されません。\nゲームを始める前に、必ずWindowsを再起動してください。
static const char TextRestartDeclined[] =
    "Windows\x82\xCD\x8D\xC4\x8BN\x93\xAE\x82\xB3\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x81" "B\n\x83Q\x81[\x83\x80\x82\xF0\x8En\x82\xDF\x82\xE9\x91O\x82\xC9\x81" "A\x95K\x82\xB8Windows\x82\xF0\x8D\xC4\x8BN\x93\xAE\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
// セットアップが完了しました。\nゲームを始める前に、Windowsを再起動してください。
static const char TextEndNotice[] =
    "\x83Z\x83" "b\x83g\x83" "A\x83" "b\x83v\x82\xAA\x8A\xAE\x97\xB9\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B\n\x83Q\x81[\x83\x80\x82\xF0\x8En\x82\xDF\x82\xE9\x91O\x82\xC9\x81" "AWindows\x82\xF0\x8D\xC4\x8BN\x93\xAE\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
// 削除が完了しました。
static const char TextRemoved[] =
    "\x8D\xED\x8F\x9C\x82\xAA\x8A\xAE\x97\xB9\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B";
// アンインストール情報ファイルを削除できませんでした。
static const char TextIniNotDeleted[] =
    "\x83" "A\x83\x93\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x8F\xEE\x95\xF1\x83t\x83@\x83" "C\x83\x8B\x82\xF0\x8D\xED\x8F\x9C\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81" "B";
// 一部の項目を削除できませんでした。\n残っているファイルやフォルダは手動で削除してください。
static const char TextRemoveFailed[] =
    "\x88\xEA\x95\x94\x82\xCC\x8D\x80\x96\xDA\x82\xF0\x8D\xED\x8F\x9C\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81" "B\n\x8E" "c\x82\xC1\x82\xC4\x82\xA2\x82\xE9\x83t\x83@\x83" "C\x83\x8B\x82\xE2\x83t\x83H\x83\x8B\x83_\x82\xCD\x8E\xE8\x93\xAE\x82\xC5\x8D\xED\x8F\x9C\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
// コピー元のファイルが見つかりません。
static const char TextCopyNoSource[] =
    "\x83R\x83s\x81[\x8C\xB3\x82\xCC\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// ファイルが他のプログラムで使用されているため、コピーできません。\n他のプログラムを終了してから、もう一度セットアップを実行してください。
static const char TextCopySharing[] =
    "\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x91\xBC\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xC5\x8Eg\x97p\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xE9\x82\xBD\x82\xDF\x81" "A\x83R\x83s\x81[\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B\n\x91\xBC\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xF0\x8FI\x97\xB9\x82\xB5\x82\xC4\x82\xA9\x82\xE7\x81" "A\x82\xE0\x82\xA4\x88\xEA\x93x\x83Z\x83" "b\x83g\x83" "A\x83" "b\x83v\x82\xF0\x8E\xC0\x8Ds\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
// ファイルへのアクセスが拒否されたため、コピーできません。
static const char TextCopyAccess[] =
    "\x83t\x83@\x83" "C\x83\x8B\x82\xD6\x82\xCC\x83" "A\x83N\x83Z\x83X\x82\xAA\x8B\x91\x94\xDB\x82\xB3\x82\xEA\x82\xBD\x82\xBD\x82\xDF\x81" "A\x83R\x83s\x81[\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// ディスクの空き容量が足りないため、コピーできません。
static const char TextCopyDiskFull[] =
    "\x83" "f\x83" "B\x83X\x83N\x82\xCC\x8B\xF3\x82\xAB\x97" "e\x97\xCA\x82\xAA\x91\xAB\x82\xE8\x82\xC8\x82\xA2\x82\xBD\x82\xDF\x81" "A\x83R\x83s\x81[\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// インストールするファイルが見つかりません。
static const char TextNewerNoSource[] =
    "\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xB7\x82\xE9\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// インストールするファイルの名前がディレクトリの名前になっています。
static const char TextNewerSourceDir[] =
    "\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xB7\x82\xE9\x83t\x83@\x83" "C\x83\x8B\x82\xCC\x96\xBC\x91O\x82\xAA\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xCC\x96\xBC\x91O\x82\xC9\x82\xC8\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81" "B";
// インストール先に同じ名前のディレクトリがあるため、ファイルをインストールできません。
static const char TextNewerDestDir[] =
    "\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x90\xE6\x82\xC9\x93\xAF\x82\xB6\x96\xBC\x91O\x82\xCC\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xAA\x82\xA0\x82\xE9\x82\xBD\x82\xDF\x81" "A\x83t\x83@\x83" "C\x83\x8B\x82\xF0\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// CD-ROMのファイルのバージョン情報を読み取れません。
static const char TextVersionSource[] =
    "CD-ROM\x82\xCC\x83t\x83@\x83" "C\x83\x8B\x82\xCC\x83o\x81[\x83W\x83\x87\x83\x93\x8F\xEE\x95\xF1\x82\xF0\x93\xC7\x82\xDD\x8E\xE6\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// インストールされているファイルのバージョン情報を読み取れません。
static const char TextVersionTarget[] =
    "\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xE9\x83t\x83@\x83" "C\x83\x8B\x82\xCC\x83o\x81[\x83W\x83\x87\x83\x93\x8F\xEE\x95\xF1\x82\xF0\x93\xC7\x82\xDD\x8E\xE6\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// コピー先のディレクトリを作成できません。
static const char TextTreeMkdir[] =
    "\x83R\x83s\x81[\x90\xE6\x82\xCC\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// ファイルのコピーに失敗しました。
static const char TextTreeFailed[] =
    "\x83t\x83@\x83" "C\x83\x8B\x82\xCC\x83R\x83s\x81[\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B";
// コピー元のディレクトリを読み取れません。
static const char TextTreeList[] =
    "\x83R\x83s\x81[\x8C\xB3\x82\xCC\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xF0\x93\xC7\x82\xDD\x8E\xE6\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// コピー先のディレクトリと同じ名前のファイルがあります。
static const char TextTreeDirIsFile[] =
    "\x83R\x83s\x81[\x90\xE6\x82\xCC\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xC6\x93\xAF\x82\xB6\x96\xBC\x91O\x82\xCC\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81" "B";
// コピー先に、コピーするファイルと同じ名前のディレクトリがあります。
static const char TextTreeFileIsDirFirst[] =
    "\x83R\x83s\x81[\x90\xE6\x82\xC9\x81" "A\x83R\x83s\x81[\x82\xB7\x82\xE9\x83t\x83@\x83" "C\x83\x8B\x82\xC6\x93\xAF\x82\xB6\x96\xBC\x91O\x82\xCC\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81" "B";
// コピー先に、コピーするファイルと同じ名前のディレクトリがあるため、コピーを中止しました。
static const char TextTreeFileIsDirLater[] =
    "\x83R\x83s\x81[\x90\xE6\x82\xC9\x81" "A\x83R\x83s\x81[\x82\xB7\x82\xE9\x83t\x83@\x83" "C\x83\x8B\x82\xC6\x93\xAF\x82\xB6\x96\xBC\x91O\x82\xCC\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xAA\x82\xA0\x82\xE9\x82\xBD\x82\xDF\x81" "A\x83R\x83s\x81[\x82\xF0\x92\x86\x8E~\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B";
// ファイルを削除できません。
static const char TextDeleteFile[] =
    "\x83t\x83@\x83" "C\x83\x8B\x82\xF0\x8D\xED\x8F\x9C\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// ディレクトリを削除できません。
static const char TextDeleteDir[] =
    "\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xF0\x8D\xED\x8F\x9C\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// ディレクトリが見つからないか、読み取れません。
static const char TextDeleteList[] =
    "\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE7\x82\xC8\x82\xA2\x82\xA9\x81" "A\x93\xC7\x82\xDD\x8E\xE6\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// 次のフォルダは、この製品のインストール先であることを確認できないため、削除せずにそのまま残しました（セットアップがインストール先に作成した設定ファイルがありません）。
static const char TextNotOwned[] =
    "\x8E\x9F\x82\xCC\x83t\x83H\x83\x8B\x83_\x82\xCD\x81" "A\x82\xB1\x82\xCC\x90\xBB\x95i\x82\xCC\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x90\xE6\x82\xC5\x82\xA0\x82\xE9\x82\xB1\x82\xC6\x82\xF0\x8Am\x94" "F\x82\xC5\x82\xAB\x82\xC8\x82\xA2\x82\xBD\x82\xDF\x81" "A\x8D\xED\x8F\x9C\x82\xB9\x82\xB8\x82\xC9\x82\xBB\x82\xCC\x82\xDC\x82\xDC\x8E" "c\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81i\x83Z\x83" "b\x83g\x83" "A\x83" "b\x83v\x82\xAA\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x90\xE6\x82\xC9\x8D\xEC\x90\xAC\x82\xB5\x82\xBD\x90\xDD\x92\xE8\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81j\x81" "B";
#else
static const char TextRestartAsk[] =
    "Windows must be restarted to complete the DirectX setup.\nRestart Windows now?";
static const char TextRestartFailed[] =
    "Windows could not be restarted.\nPlease restart Windows before you start the game.";
static const char TextRestartDeclined[] =
    "Windows will not be restarted now.\nBe sure to restart Windows before you start the game.";
static const char TextEndNotice[] =
    "Setup is complete.\nPlease restart Windows before you start the game.";
static const char TextRemoved[] =
    "The product has been removed from your computer.";
static const char TextIniNotDeleted[] =
    "The uninstall settings file could not be deleted.";
static const char TextRemoveFailed[] =
    "Some items could not be removed.\nPlease delete the remaining files and folders yourself.";
static const char TextCopyNoSource[] =
    "The file to copy was not found on the CD-ROM.";
static const char TextCopySharing[] =
    "The file is in use by another program and could not be copied.\nClose all other programs and run setup again.";
static const char TextCopyAccess[] =
    "Access to the file was denied; it could not be copied.";
static const char TextCopyDiskFull[] =
    "The disk is full; the file could not be copied.";
static const char TextNewerNoSource[] =
    "The file to install was not found on the CD-ROM.";
static const char TextNewerSourceDir[] =
    "The name of the file to install is the name of a directory.";
static const char TextNewerDestDir[] =
    "A directory of the same name is in the way; the file cannot be installed.";
static const char TextVersionSource[] =
    "The version information of the file on the CD-ROM cannot be read.";
static const char TextVersionTarget[] =
    "The version information of the installed file cannot be read.";
static const char TextTreeMkdir[] =
    "A destination directory cannot be created.";
static const char TextTreeFailed[] =
    "Copying the files failed.";
static const char TextTreeList[] =
    "A source directory cannot be read.";
static const char TextTreeDirIsFile[] =
    "A file has the name of a destination directory.";
static const char TextTreeFileIsDirFirst[] =
    "A directory has the name of a file to be copied.";
static const char TextTreeFileIsDirLater[] =
    "A directory has the name of a file to be copied; copying stopped.";
static const char TextDeleteFile[] =
    "A file cannot be deleted.";
static const char TextDeleteDir[] =
    "A directory cannot be removed.";
static const char TextDeleteList[] =
    "The directory cannot be found or read.";
static const char TextNotOwned[] =
    "The following folder was left as it is: it cannot be shown to be this "
    "product's installation folder (it does not hold the settings file that "
    "setup wrote there).";
#endif

// Fills every slot that the two programs read. Slots no program reads stay
// as the caller left them.
extern "C" __declspec(dllexport) void WINAPI MsgSetup(UINT_PTR *table)
{
    // Dialogs of the custom dialog library.
    table[SLOT_NOTICE_BADNAME] = TPL_NOTICE_BADNAME;
    table[SLOT_NOTICE_ISFILE] = TPL_NOTICE_ISFILE;
    table[SLOT_NOTICE_CREATE] = TPL_NOTICE_CREATE;
    table[SLOT_NOTICE_ROOT] = TPL_NOTICE_ROOT;
    table[SLOT_NOTICE_SOURCE] = TPL_NOTICE_SOURCE;
    table[SLOT_NOTICE_EMPTY] = TPL_NOTICE_EMPTY;
    table[SLOT_QUIT] = TPL_QUIT;
    table[SLOT_FAILURE] = TPL_FAILURE;
    table[SLOT_MACHINE] = TPL_MACHINE;
    table[SLOT_REMOVE_OLD] = TPL_REMOVE_OLD;
    table[SLOT_LOW_DISK] = TPL_LOW_DISK;
    table[SLOT_ENDING] = TPL_ENDING;
    table[SLOT_DESTINATION] = TPL_DESTINATION;

    // Texts of this library.
    table[SLOT_RESTART_ASK] = (UINT_PTR)TextRestartAsk;
    table[SLOT_RESTART_FAILED] = (UINT_PTR)TextRestartFailed;
    table[SLOT_RESTART_DECLINED] = (UINT_PTR)TextRestartDeclined;
    table[SLOT_END_NOTICE] = (UINT_PTR)TextEndNotice;
    table[SLOT_REMOVED] = (UINT_PTR)TextRemoved;
    table[SLOT_INI_NOT_DELETED] = (UINT_PTR)TextIniNotDeleted;
    table[SLOT_REMOVE_FAILED] = (UINT_PTR)TextRemoveFailed;
    table[SLOT_COPY_NO_SOURCE] = (UINT_PTR)TextCopyNoSource;
    table[SLOT_COPY_SHARING] = (UINT_PTR)TextCopySharing;
    table[SLOT_COPY_ACCESS] = (UINT_PTR)TextCopyAccess;
    table[SLOT_COPY_DISK_FULL] = (UINT_PTR)TextCopyDiskFull;
    table[SLOT_NEWER_NO_SOURCE] = (UINT_PTR)TextNewerNoSource;
    table[SLOT_NEWER_SOURCE_DIR] = (UINT_PTR)TextNewerSourceDir;
    table[SLOT_NEWER_DEST_DIR] = (UINT_PTR)TextNewerDestDir;
    table[SLOT_VERSION_SOURCE] = (UINT_PTR)TextVersionSource;
    table[SLOT_VERSION_TARGET] = (UINT_PTR)TextVersionTarget;
    table[SLOT_TREE_MKDIR] = (UINT_PTR)TextTreeMkdir;
    table[SLOT_TREE_FAILED] = (UINT_PTR)TextTreeFailed;
    table[SLOT_TREE_LIST] = (UINT_PTR)TextTreeList;
    table[SLOT_TREE_DIR_IS_FILE] = (UINT_PTR)TextTreeDirIsFile;
    table[SLOT_TREE_FILE_IS_DIR_FIRST] = (UINT_PTR)TextTreeFileIsDirFirst;
    table[SLOT_TREE_FILE_IS_DIR_LATER] = (UINT_PTR)TextTreeFileIsDirLater;
    table[SLOT_DELETE_FILE] = (UINT_PTR)TextDeleteFile;
    table[SLOT_DELETE_DIR] = (UINT_PTR)TextDeleteDir;
    table[SLOT_DELETE_LIST] = (UINT_PTR)TextDeleteList;
    table[SLOT_NOT_OWNED] = (UINT_PTR)TextNotOwned;
}
