// Texts of the setup program's own message boxes, which the message table
// does not hold: from the message library's string table, so that they
// follow the language like every other text, else the built-in text of the
// language (Japanese or English), since the library of an older CD may not
// have them.
#include "setup/texts.h"
#include "setup/config.h"
#include "setup/state.h"
#include "common/text.h"
#include "platform/templates.h"

// "記録されたインストールが見つからないため、何も削除しませんでした。"
static const char NoRecordedInstallJa[] =
    "\x8BL\x98^\x82\xB3\x82\xEA\x82\xBD\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE7\x82\xC8\x82\xA2\x82\xBD\x82\xDF\x81" "A\x89\xBD\x82\xE0\x8D\xED\x8F\x9C\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81" "B";
static const char NoRecordedInstallEn[] =
    "No recorded installation was found, so nothing was removed.";
// "フォルダ %s には既にファイルがあります。\n\nここにインストールすると、後で
// 製品を削除するときに、このフォルダが中のファイルごとすべて削除されます。
// \n\nこのフォルダにインストールしますか？"
static const char DestHoldsFilesJa[] =
    "\x83t\x83H\x83\x8B\x83_ %s \x82\xC9\x82\xCD\x8A\xF9\x82\xC9\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81" "B\n\n\x82\xB1\x82\xB1\x82\xC9\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xB7\x82\xE9\x82\xC6\x81" "A\x8C\xE3\x82\xC5\x90\xBB\x95i\x82\xF0\x8D\xED\x8F\x9C\x82\xB7\x82\xE9\x82\xC6\x82\xAB\x82\xC9\x81" "A\x82\xB1\x82\xCC\x83t\x83H\x83\x8B\x83_\x82\xAA\x92\x86\x82\xCC\x83t\x83@\x83" "C\x83\x8B\x82\xB2\x82\xC6\x82\xB7\x82\xD7\x82\xC4\x8D\xED\x8F\x9C\x82\xB3\x82\xEA\x82\xDC\x82\xB7\x81" "B\n\n\x82\xB1\x82\xCC\x83t\x83H\x83\x8B\x83_\x82\xC9\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81H";
static const char DestHoldsFilesEn[] =
    "The folder %s already holds files.\n\nIf you install here, removing the "
    "product later removes this folder with everything in it, these files "
    "too.\n\nInstall into this folder anyway?";

// "別の製品 %s が、この製品と同じ名前のインストール情報で既にインストール
// されています。\n\nセットアップはこの製品を並べてインストールできないため、
// 何も変更せずに終了します。"
static const char OtherProductRecordJa[] =
    "\x95\xCA\x82\xCC\x90\xBB\x95i %s \x82\xAA\x81" "A\x82\xB1\x82\xCC\x90\xBB\x95i\x82\xC6\x93\xAF\x82\xB6\x96\xBC\x91O\x82\xCC\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x8F\xEE\x95\xF1\x82\xC5\x8A\xF9\x82\xC9\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81" "B\n\n\x83Z\x83" "b\x83g\x83" "A\x83" "b\x83v\x82\xCD\x82\xB1\x82\xCC\x90\xBB\x95i\x82\xF0\x95\xC0\x82\xD7\x82\xC4\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xC5\x82\xAB\x82\xC8\x82\xA2\x82\xBD\x82\xDF\x81" "A\x89\xBD\x82\xE0\x95\xCF\x8DX\x82\xB9\x82\xB8\x82\xC9\x8FI\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81" "B";
static const char OtherProductRecordEn[] =
    "Another product, %s, is installed with an installation record of the same name as this product's.\n\nSetup cannot install beside it and ends without changing anything.";
// "フォルダ %s には別の製品がインストールされています。\n\n別のフォルダを
// 選んでください。"
static const char DestOtherProductJa[] =
    "\x83t\x83H\x83\x8B\x83_ %s \x82\xC9\x82\xCD\x95\xCA\x82\xCC\x90\xBB\x95i\x82\xAA\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81" "B\n\n\x95\xCA\x82\xCC\x83t\x83H\x83\x8B\x83_\x82\xF0\x91I\x82\xF1\x82\xC5\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
static const char DestOtherProductEn[] =
    "The folder %s holds the installation of another product.\n\nChoose another folder.";

struct BuiltInText {
    UINT id;
    const char *japanese, *english;
};

static const BuiltInText BuiltInTexts[] = {
    {IDS_DEST_HOLDS_FILES, DestHoldsFilesJa, DestHoldsFilesEn},
    {IDS_NO_RECORDED_INSTALL, NoRecordedInstallJa, NoRecordedInstallEn},
    {IDS_OTHER_PRODUCT_RECORD, OtherProductRecordJa, OtherProductRecordEn},
    {IDS_DEST_OTHER_PRODUCT, DestOtherProductJa, DestOtherProductEn},
};

void SetupText(UINT id, char *text, int size)
{
    if (MsgModule && LoadStringA(MsgModule, id, text, size) > 0)
        return;
    text[0] = '\0';
    int japanese = !lstrcmpiA(Settings.LanguageName, "Japanese");
    for (const BuiltInText &t : BuiltInTexts)
        if (t.id == id)
            TextCopy(text, japanese ? t.japanese : t.english, size);
}
