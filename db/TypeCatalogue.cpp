#include "TypeCatalogue.h"

#include <cstdlib>
#include <cstring>

namespace {

const char kUndefined[] = "未定義";
const char kNumeric[] = "数値";
const char kDate[] = "日付";
const char kString[] = "文字列";

struct TypeEntry {
    int number;
    const char* constant;
    const char* generic;
    const char* description;
    const char* category;
};

const TypeEntry kTypes[] = {
    {2, "adSmallInt", "SMALLINT", "2 バイトの符号付き整数", kNumeric},
    {3, "adInteger", "INT", "4 バイトの符号付き整数", kNumeric},
    {4, "adSingle", "FLOAT", "単精度浮動小数点値", kNumeric},
    {5, "adDouble", "NUMBER", "倍精度浮動小数点値", kNumeric},
    {6, "adCurrency", "MONEY", "通貨値", kNumeric},
    {7, "adDate", "DATE", "日付値", kDate},
    {8, "adBSTR", "NVARCHAR", "Null で終了する Unicode 文字列", kString},
    {11, "adBoolean", "YESNO", "ブール値", kNumeric},
    {14, "adDecimal", "DECIMAL", "固定精度およびスケールの正確な数値", kNumeric},
    {16, "adTinyInt", "TINYINT", "1 バイトの符号付き整数", kNumeric},
    {17, "adUnsignedTinyInt", "TINYINT", "1 バイトの符号なし整数", kNumeric},
    {20, "adBigInt", "BIGINT", "8 バイトの符号付き整数", kNumeric},
    {128, "adBinary", "BINARY", "バイナリ値", kUndefined},
    {129, "adChar", "VARCHAR", "文字列値", kString},
    {130, "adWChar", "VARCHAR", "Null で終了する Unicode 文字列", kString},
    {131, "adNumeric", "DECIMAL", "固定精度およびスケールの正確な数値", kNumeric},
    {133, "adDBDate", "DATE", "日付値", kDate},
    {134, "adDBTime", "TIME", "時刻値", kDate},
    {135, "adDBTimeStamp", "TIMESTAMP", "日付/時刻スタンプ", kDate},
    {200, "adVarChar", kUndefined, "文字列値", kUndefined},
    {202, "adVarWChar", "VARCHAR", "Null で終了する Unicode 文字列", kString},
};

int TypeNumber(const char* numberText) { return numberText ? std::atoi(numberText) : 0; }

const TypeEntry* FindType(const char* numberText)
{
    int number = TypeNumber(numberText);
    for (const TypeEntry& entry : kTypes)
        if (entry.number == number)
            return &entry;
    return nullptr;
}

}  // namespace

const char* TypeConstantName(const char* numberText)
{
    const TypeEntry* entry = FindType(numberText);
    return entry ? entry->constant : kUndefined;
}

const char* GenericTypeName(const char* numberText, DatabaseKind currentKind)
{
    const TypeEntry* entry = FindType(numberText);
    if (!entry)
        return kUndefined;
    if (currentKind == DatabaseKind::Mdb) {
        switch (entry->number) {
        case 4: return "REAL";
        case 7: return "DATETIME";
        case 17: return "BYTE";
        default: break;
        }
    }
    return entry->generic;
}

const char* TypeDescription(const char* numberText)
{
    const TypeEntry* entry = FindType(numberText);
    return entry ? entry->description : kUndefined;
}

const char* TypeCategory(const char* numberText)
{
    const TypeEntry* entry = FindType(numberText);
    return entry ? entry->category : kUndefined;
}

const char* LiteralCategory(const char* numberText)
{
    static const char* const kCharacterTypes[] = {"72", "200", "201", "203"};
    for (const char* number : kCharacterTypes)
        if (numberText && std::strcmp(numberText, number) == 0)
            return kString;
    return TypeCategory(numberText);
}
