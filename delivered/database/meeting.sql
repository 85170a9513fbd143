-- The meeting database delivered with the program. The build turns this
-- file into meeting.mdb; the program never creates a table or an
-- administrator account. Inserts rely on the column defaults given here.
-- Counters never reuse a number (AUTOINCREMENT), so rows left behind by a
-- deleted meeting can never reappear under a new one.
-- Text columns order and compare in GBK byte order, as the program's own
-- text does; the collation GBK is the program's, registered on each of its
-- connections (the engine's own tools load it from gbk_collation in the
-- program directory).

CREATE TABLE 密码信息 (
    用户id   INTEGER PRIMARY KEY AUTOINCREMENT,
    用户名   TEXT COLLATE GBK,
    密码     TEXT COLLATE GBK,
    权限     TEXT COLLATE GBK,
    会议编号 INTEGER DEFAULT 0,
    会议名称 TEXT COLLATE GBK DEFAULT ''
);

CREATE TABLE 会议信息 (
    会议编号 INTEGER PRIMARY KEY AUTOINCREMENT,
    会议名称 TEXT COLLATE GBK,
    会议地点 TEXT COLLATE GBK,
    主办单位 TEXT COLLATE GBK,
    承办单位 TEXT COLLATE GBK,
    会议日期 TEXT COLLATE GBK,
    会议指南 TEXT COLLATE GBK,
    表1 TEXT COLLATE GBK DEFAULT '0',
    表2 TEXT COLLATE GBK DEFAULT '0',
    表3 TEXT COLLATE GBK DEFAULT '0',
    表4 TEXT COLLATE GBK DEFAULT '0',
    表5 TEXT COLLATE GBK DEFAULT '0'
);

CREATE TABLE 代表信息 (
    代表id   INTEGER PRIMARY KEY AUTOINCREMENT,
    会议编号 INTEGER,
    代表编号 TEXT COLLATE GBK,
    姓名     TEXT COLLATE GBK,
    单位     TEXT COLLATE GBK,
    性别     TEXT COLLATE GBK,
    职务     TEXT COLLATE GBK,
    手机号码 TEXT COLLATE GBK,
    办公电话 TEXT COLLATE GBK,
    照片     TEXT COLLATE GBK DEFAULT '',
    宾馆名称 TEXT COLLATE GBK DEFAULT ' ',
    房间编号 TEXT COLLATE GBK DEFAULT '0',
    餐厅名称 TEXT COLLATE GBK DEFAULT ' ',
    餐桌编号 TEXT COLLATE GBK DEFAULT '0',
    分组编号 INTEGER DEFAULT 0,
    报到情况 BOOLEAN DEFAULT false,
    表1 TEXT COLLATE GBK DEFAULT '0',
    表2 TEXT COLLATE GBK DEFAULT '0',
    表3 TEXT COLLATE GBK DEFAULT '0',
    表4 TEXT COLLATE GBK DEFAULT '0',
    表5 TEXT COLLATE GBK DEFAULT '0'
);
CREATE INDEX 代表信息_会议 ON 代表信息 (会议编号, 代表编号);
-- The people of one room, one banquet table and one discussion group, in
-- 代表编号 order: the reports look them up once per room, table and group.
CREATE INDEX 代表信息_房间 ON 代表信息 (会议编号, 宾馆名称, 房间编号, 代表编号);
CREATE INDEX 代表信息_餐桌 ON 代表信息 (会议编号, 餐厅名称, 餐桌编号, 代表编号);
CREATE INDEX 代表信息_分组 ON 代表信息 (会议编号, 分组编号, 代表编号);

CREATE TABLE 房间信息 (
    房间id   INTEGER PRIMARY KEY AUTOINCREMENT,
    会议编号 INTEGER,
    宾馆名称 TEXT COLLATE GBK,
    房间编号 TEXT COLLATE GBK,
    房间类别 TEXT COLLATE GBK,
    房间人数 INTEGER DEFAULT 0,
    已住人数 INTEGER DEFAULT 0,
    性别     TEXT COLLATE GBK DEFAULT '无'
);
CREATE INDEX 房间信息_会议 ON 房间信息 (会议编号);

CREATE TABLE 餐桌信息 (
    餐桌id   INTEGER PRIMARY KEY AUTOINCREMENT,
    会议编号 INTEGER,
    餐厅名称 TEXT COLLATE GBK,
    餐桌编号 TEXT COLLATE GBK,
    可坐人数 INTEGER DEFAULT 0,
    已坐人数 INTEGER DEFAULT 0
);
CREATE INDEX 餐桌信息_会议 ON 餐桌信息 (会议编号);

CREATE TABLE 会议分组 (
    分组id   INTEGER PRIMARY KEY AUTOINCREMENT,
    会议编号 INTEGER,
    分组名称 TEXT COLLATE GBK,
    分组地点 TEXT COLLATE GBK,
    分组时间 TEXT COLLATE GBK,
    召集人   TEXT COLLATE GBK,
    联络员   TEXT COLLATE GBK
);

CREATE TABLE 自制模板 (
    模板id   INTEGER PRIMARY KEY AUTOINCREMENT,
    模板名称 TEXT COLLATE GBK,
    模板     BLOB,
    会议编号 INTEGER DEFAULT 0,
    表格次序 INTEGER DEFAULT 0
);

-- The badge layout: one row, written by the badge page and read by nothing.
CREATE TABLE 会议证件 (
    id INTEGER PRIMARY KEY,
    会议名称宽 INTEGER DEFAULT 0, 会议名称高 INTEGER DEFAULT 0,
    会议名称横 INTEGER DEFAULT 0, 会议名称纵 INTEGER DEFAULT 0,
    会议名称颜色 INTEGER DEFAULT 0, 会议名称 BOOLEAN DEFAULT true,
    姓名宽 INTEGER DEFAULT 0, 姓名高 INTEGER DEFAULT 0,
    姓名横 INTEGER DEFAULT 0, 姓名纵 INTEGER DEFAULT 0,
    姓名颜色 INTEGER DEFAULT 0, 姓名 BOOLEAN DEFAULT true,
    单位宽 INTEGER DEFAULT 0, 单位高 INTEGER DEFAULT 0,
    单位横 INTEGER DEFAULT 0, 单位纵 INTEGER DEFAULT 0,
    单位颜色 INTEGER DEFAULT 0, 单位 BOOLEAN DEFAULT true,
    出席证宽 INTEGER DEFAULT 0, 出席证高 INTEGER DEFAULT 0,
    出席证横 INTEGER DEFAULT 0, 出席证纵 INTEGER DEFAULT 0,
    出席证颜色 INTEGER DEFAULT 0, 出席证 BOOLEAN DEFAULT true,
    照片宽 INTEGER DEFAULT 0, 照片高 INTEGER DEFAULT 0,
    照片横 INTEGER DEFAULT 0, 照片纵 INTEGER DEFAULT 0,
    照片 BOOLEAN DEFAULT true
);
INSERT INTO 会议证件 (id) VALUES (1);

-- The delivered administrator; the README tells the user to change it.
INSERT INTO 密码信息 (用户名, 密码, 权限, 会议编号, 会议名称) VALUES ('admin', 'admin', '管理员', 0, '');

