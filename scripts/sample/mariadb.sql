-- The sample database of the MariaDB instance (loaded as utf8mb4; clients read it as cp932).
CREATE TABLE `部署` (
    `部署コード` char(4) PRIMARY KEY,
    `部署名` varchar(30) NOT NULL
) ENGINE=InnoDB;
CREATE TABLE `社員` (
    `社員番号` int(10) unsigned PRIMARY KEY,
    `氏名` varchar(40) NOT NULL,
    `部署コード` char(4),
    `入社日` date,
    `給与` decimal(10,2),
    `評価点` double,
    `写真` blob,
    `備考` text
) ENGINE=InnoDB;
CREATE TABLE `売上明細` (
    `伝票番号` int,
    `行番号` smallint,
    `商品名` varchar(60),
    `数量` int NOT NULL DEFAULT 1,
    `単価` decimal(12,0),
    `登録日時` datetime,
    PRIMARY KEY (`伝票番号`, `行番号`)
) ENGINE=InnoDB;
CREATE TABLE `連番` (`番号` int PRIMARY KEY, `名前` varchar(20)) ENGINE=MyISAM;
CREATE VIEW `社員一覧` AS SELECT `社員番号`, `氏名`, `入社日` FROM `社員`;

INSERT INTO `部署` VALUES ('D001', '営業部'), ('D002', '開発部'), ('D003', '㈱表ソ総務');
INSERT INTO `社員` VALUES
    (1, '山田 太郎', 'D001', '2001-04-01', 350000.00, 4.5, X'0102', 'O''Brien さんの後任'),
    (2, '髙橋 花子', 'D002', '2015-10-16', 420000.50, NULL, NULL, '①～㈱髙表ソ'),
    (3, '鈴木 ソ表', NULL, NULL, NULL, 3, NULL, NULL),
    (4, '空欄 一郎', 'D003', '2020-02-29', 0, 0, NULL, '');
INSERT INTO `売上明細` VALUES
    (100, 1, 'ノート ①', 3, 120, '2024-01-05 09:30:00'),
    (100, 2, 'ボールペン～', 10, 80, '2024-01-05 09:30:00'),
    (101, 1, 'It''s 表計算', 1, 9800, NULL);
INSERT INTO `連番` SELECT seq, CONCAT('行', seq) FROM seq_1_to_51;
