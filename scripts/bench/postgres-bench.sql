-- Benchmark database: 5,000 tables, a 1,000-row table of 20 columns, a 1,000,000-row table.
DO $$
BEGIN
    FOR i IN 1..5000 LOOP
        EXECUTE format('CREATE TABLE "表%s" ("番号" integer PRIMARY KEY, "名前" varchar(20))', lpad(i::text, 4, '0'));
        -- One transaction would need a lock per table; commit in steps.
        IF i % 500 = 0 THEN
            COMMIT;
        END IF;
    END LOOP;
END $$;

CREATE TABLE "二十列" (
    c01 integer PRIMARY KEY, c02 varchar(40), c03 numeric(10,2), c04 date, c05 timestamp,
    c06 text, c07 integer, c08 varchar(40), c09 numeric, c10 smallint,
    c11 varchar(40), c12 bigint, c13 double precision, c14 boolean, c15 varchar(40),
    c16 integer, c17 text, c18 numeric(12,0), c19 date, c20 varchar(40)
);
INSERT INTO "二十列"
SELECT n, '社員①～' || n, n * 1.25, date '2020-01-01' + n, timestamp '2024-01-05 09:30' + n * interval '1 minute',
       'ソ表 テキスト ' || n, n * 7, '部署' || (n % 13), n / 3.0, (n % 100)::smallint,
       'ボールペン～' || n, n::bigint * 100000, n / 7.0, n % 2 = 0, '㈱' || n,
       n % 17, repeat('髙', n % 20), n * 11, date '2000-02-29' + n, 'It''s ' || n
FROM generate_series(1, 1000) AS n;

CREATE TABLE "百万行" ("番号" integer PRIMARY KEY, "名前" varchar(40), "金額" numeric(12,2), "日付" date);
INSERT INTO "百万行"
SELECT n, '名前' || n, n * 0.5, date '2000-01-01' + (n % 9000)
FROM generate_series(1, 1000000) AS n;
ANALYZE "二十列";
ANALYZE "百万行";
