// Formatter throughput on a 1 MB SQL script: the simple format, a realistic arrange file's
// rules and the ideographic-space removal, each the best of five runs, in MB/s of input.
//   formatter_benchmark [megabytes]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "command/SqlFormatter.h"

namespace {

// Statements as people type them: mixed case, Japanese names (with the trail bytes 0x5C and
// letters), comments, tabs and line ends, a few ideographic spaces.
const char* const kStatements[] = {
    "select 社員番号, 氏名, 所属コード from 社員 where 入社日 >= '2001/04/01' and 所属コード in (10, 20, 30)\r\n"
    "\torder by 社員番号;\r\n",
    "SELECT A.売上番号, A.顧客名, SUM(B.数量 * B.単価) AS 合計\r\n  FROM 売上 A INNER JOIN 売上明細 B ON A.売上番号 = "
    "B.売上番号\r\n WHERE A.売上日 BETWEEN '2024-01-01' AND '2024-12-31'\r\n GROUP BY A.売上番号, A.顧客名 HAVING "
    "SUM(B.数量) > 10;\r\n",
    "insert into 表ソ能 (コード, 名称, 備考) values (1, '表示　ソフト', 'ダメ文字を含む');\r\n",
    "update 商品 set 価格 = 価格 * 1.1, 更新日 = '2025/01/01' where 区分 = 'A' and 在庫数 > 0;\r\n",
    "-- 月次集計　（担当：山田）\r\nselect count(*) from 受注 where 状態 = '未出荷' or 状態 = '保留';\r\n",
    "delete from ログ where 記録日時 < '2020-01-01' and 種別 not in ('重要', '監査');\r\n",
};

const char* const kArrangeLines[] = {
    "; Arrange.txt: keywords on lines of their own",
    "select\tSELECT",
    "from\t\\nFROM",
    "where\t\\nWHERE",
    " and \t\\n\\tAND ",
    " or \t\\n\\tOR ",
    "inner join\t\\n\\tINNER JOIN",
    "left join\t\\n\\tLEFT JOIN",
    " on \t\\n\\t\\tON ",
    "group by\t\\nGROUP BY",
    "having\t\\nHAVING",
    "order by\t\\nORDER BY",
    "values\t\\nVALUES",
    "insert into\tINSERT INTO",
    "update\tUPDATE",
    " set \t\\nSET ",
    "delete\tDELETE",
    ", \t\\n\\t, ",
    "　\t ",
    "between\tBETWEEN",
    "\\r\\n\\r\\n\t\\r\\n",
};

double SecondsOf(VornString (*work)(const char*, const void*), const char* text, const void* extra)
{
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        auto start = std::chrono::steady_clock::now();
        VornString out = work(text, extra);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (out.Length() == 0)
            std::printf("empty output\n");
        if (seconds < best)
            best = seconds;
    }
    return best;
}

VornString RunSimple(const char* text, const void*) { return SimpleFormat(text); }
VornString RunKanji(const char* text, const void*) { return RemoveKanjiSpaces(text); }
VornString RunArrange(const char* text, const void* rules)
{
    return ApplyArrangeRules(text, *static_cast<const ArrangeRules*>(rules));
}

}  // namespace

int main(int argc, char** argv)
{
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 1.0;
    const size_t size = static_cast<size_t>(megabytes * 1024 * 1024);
    std::string script;
    for (size_t i = 0; script.size() < size; ++i)
        script += kStatements[i % (sizeof kStatements / sizeof kStatements[0])];
    script.resize(size);

    ArrangeRules rules;
    for (const char* line : kArrangeLines) {
        ArrangeRule rule;
        if (ParseArrangeLine(line, rule))
            rules.push_back(rule);
    }

    const double mb = static_cast<double>(script.size()) / (1024.0 * 1024.0);
    struct Task {
        const char* name;
        VornString (*work)(const char*, const void*);
    } tasks[] = {
        {"SimpleFormat (16 steps)", RunSimple},
        {"ApplyArrangeRules", RunArrange},
        {"RemoveKanjiSpaces", RunKanji},
    };
    std::printf("input %.2f MB, %zu arrange rules\n", mb, rules.size());
    for (const Task& task : tasks) {
        double seconds = SecondsOf(task.work, script.c_str(), &rules);
        std::printf("%-26s %8.1f ms %8.1f MB/s\n", task.name, seconds * 1000.0, mb / seconds);
    }
    return 0;
}
