#include "NetworkResultTexts.h"

namespace vorn {

namespace {

struct CodeText {
    unsigned long code;
    const char* text;
};

template <unsigned long N>
const char* Lookup(const CodeText (&table)[N], unsigned long code, const char* other)
{
    for (const CodeText& entry : table)
        if (entry.code == code)
            return entry.text;
    return other;
}

const char kOk[] = "OK";
const char kSpecificError[] = "ネットワーク固有のエラーが発生しました";
const char kNoNetwork[] = "ネットワークに接続されていません";
const char kBadParameter[] = "パラメータに誤りがあります";

const CodeText kUseTexts[] = {
    {0, kOk},
    {5, "ネットワーク資源へのアクセスが拒否されました"},
    {85, "ローカルデバイスはすでにネットワーク資源に接続されています"},
    {86, "指定したパスワードが無効です"},
    {87, kBadParameter},
    {234, "バッファが小さすぎます"},
    {259, "有効なローカルデバイスがすべて使われています"},
    {1200, "資源の名前が無効か、指定した名前の資源が見つかりません"},
    {1203, "ネットワークコンポーネントが開始されていません"},
    {1204, "指定したプロバイダが無効です"},
    {1208, kSpecificError},
    {1222, kNoNetwork},
    {1223, "接続先の資源が接続操作を取り消しました"},
};

const CodeText kUnuseTexts[] = {
    {0, kOk},
    {1205, "ユーザープロファイルを開くことができません"},
    {1206, "ユーザープロファイルの形式が正しくありません"},
    {1208, kSpecificError},
    {2250, "デバイスが無効です"},
    {2401, "開いているファイルがあるので切断できません"},
    {2404, "デバイスがアクティブなプロセスによって使用中のため切断できません"},
};

const CodeText kDialogTexts[] = {
    {8, "ダイアログボックスを表示するための十分なメモリがありません"},
    {66, "ディスクタイプに設定されていません"},
    {87, kBadParameter},
    {170, "ネットワークプロバイダがビジーです"},
    {1208, kSpecificError},
    {1222, kNoNetwork},
    {0xFFFFFFFFul, "ダイアログ処理はキャンセルされました"},
};

}  // namespace

const char* NetUseText(unsigned long code) { return Lookup(kUseTexts, code, "ネットワーク接続エラーです"); }

const char* NetUnuseText(unsigned long code) { return Lookup(kUnuseTexts, code, "ネットワークエラーです"); }

const char* ConnectDialogErrorText(unsigned long code) { return Lookup(kDialogTexts, code, nullptr); }

}  // namespace vorn
