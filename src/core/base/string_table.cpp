#include "base/string_table.h"

#include <QHash>

namespace hxv5 {

namespace {

struct Entry
{
    int id;
    const char *english;
    const char *japanese; // UTF-8
};

// 1017 to 1021 are the toolbar tool tips; in Japanese they are the toolbar buttons' keys.
// 1200 is held by the table but shown by no window.
constexpr Entry kEntries[] = {
    {1000, "File(&F)", "ﾌｧｲﾙ(&F)"},
    {1001, "New(&N)", "新規作成(&N)"},
    {1002, "Open(&O)...", "開く(&O)..."},
    {1003, "Save(&S)", "上書き保存(&S)"},
    {1004, "Save As(&A)...", "名前を付けて保存(&A)..."},
    {1005, "Print Setup(&U)...", "ﾍﾟｰｼﾞ設定(&U)..."},
    {1006, "Print(&P)...", "印刷(&P)..."},
    {1007, "Exit(&X)...", "終了(&X)"},
    {1008, "Edit(&E)", "編集(&E)"},
    {1009, "Modify(&M)", "変更(&M)"},
    {1010, "View(&V)", "表示(&V)"},
    {1011, "Tool Bar(&T)", "ﾂｰﾙ ﾊﾞｰ(&T)"},
    {1012, "Tool(&T)", "ﾂｰﾙ(&T)"},
    {1013, "COM Port Setup(&C)", "COM ポートセットアップ(&C)"},
    {1014, "Help(&H)", "ﾍﾙﾌﾟ(&H)"},
    {1016, "About(&A)", "ﾊﾞｰｼﾞｮﾝ情報(&A)"},
    {1017, "New", "新規作成"},
    {1018, "Open", "開く"},
    {1019, "Save", "上書き保存"},
    {1020, "Print", "印刷"},
    {1021, "Help", "ﾍﾙﾌﾟ"},
    {1100, "Status Bar(&S)", "ｽﾃｰﾀｽﾊﾞｰ(&S)"},
    {1200, "Status", "ｽﾃｰﾀｽ"},
    {1201, "Import(&I)...", "ｲﾝﾎﾟｰﾄ(&I)..."},
    {1202, "Export(&E)...", "ｴｸｽﾎﾟｰﾄ(&E)..."},
    {1203, "Read(&R)", "読み出し(&R)"},
    {1204, "Write(&W)", "書き込み(&W)"},
    {1205, "Settings(&S)", "設定(&S)"},
    {1206, "Memory(&M)", "メモリー(&M)"},
    {1207, "ALL(&A)", "すべて(&A)"},
    {1220, "Open Backup(&B)...", "ﾊﾞｯｸｱｯﾌﾟを開く(&B)..."},
    {1210, "Compare With File(&C)...", "ファイルと比較(&C)..."},
    {1221, "Recent Files(&R)", "最近使ったファイル(&R)"},
    {1222, "Clear Recent Files(&C)", "履歴を消去(&C)"},
    {1231, "Write Changes Only(&O)", "変更分だけ書込(&O)"},
    {1232, "Verify After Write(&V)", "書込後に照合(&V)"},
    {1240, "Undo(&U)", "元に戻す(&U)"},
    {1241, "Redo(&R)", "やり直し(&R)"},
    {1242, "Cut(&T)", "切り取り(&T)"},
    {1243, "Copy(&C)", "コピー(&C)"},
    {1244, "Paste(&P)", "貼り付け(&P)"},
    {1246, "User Guide(&G)", "ユーザーガイド(&G)"},
    {1260, "Edit Selected Channels(&E)...", "選択したﾁｬﾝﾈﾙを編集(&E)..."},
    {1261, "Sort Channels(&S)...", "ﾁｬﾝﾈﾙを並べ替え(&S)..."},
    {1270, "Find(&F)...", "検索(&F)..."},
    {1271, "Go To Channel(&G)...", "ﾁｬﾝﾈﾙへ移動(&G)..."},
    {1272, "Hide Empty Slots(&H)", "空きｽﾛｯﾄを隠す(&H)"},
    // Each language is offered under its own name, whichever is in use.
    {1250, "Language(&L)", "言語(&L)"},
    {1251, "English", "English"},
    {1252, "日本語", "日本語"},
};

} // namespace

Language languageForLocale(const QLocale &locale)
{
    return locale.language() == QLocale::Japanese ? Language::Japanese : Language::English;
}

std::optional<QString> resourceString(int id, Language language)
{
    static const QHash<int, const Entry *> index = [] {
        QHash<int, const Entry *> h;
        for (const Entry &e : kEntries)
            h.insert(e.id, &e);
        return h;
    }();
    const auto it = index.constFind(id);
    if (it == index.constEnd())
        return std::nullopt;
    return language == Language::Japanese ? QString::fromUtf8((*it)->japanese)
                                          : QString::fromUtf8((*it)->english);
}

std::optional<int> resourceId(const QString &text)
{
    bool ok = false;
    const int id = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return id;
}

} // namespace hxv5
