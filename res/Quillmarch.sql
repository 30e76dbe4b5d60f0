-- Settings database: users, login and print options, shop information, catalogues.
-- Column order is part of the format: rows are read by position.
CREATE TABLE "USER" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "name" TEXT,
    "code" TEXT,
    "power" TEXT
);

CREATE TABLE "USER_SET" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "userName" TEXT,
    "userPower" TEXT,
    "directLogin" INTEGER,
    "set1" TEXT,
    "set2" TEXT,
    "set3" TEXT,
    "set4" TEXT,
    "set5" TEXT,
    "set6" TEXT,
    "set7" TEXT,
    "set8" TEXT,
    "set9" TEXT,
    "set10" TEXT
);

CREATE TABLE "INFO" (
    "id" TEXT,
    "shopName" TEXT,
    "ifSave" TEXT,
    "remark1" TEXT,
    "remark2" TEXT,
    "saler" TEXT,
    "showPrice" TEXT,
    "set1" TEXT,
    "set2" TEXT,
    "set3" TEXT,
    "set4" TEXT,
    "set5" TEXT,
    "set6" TEXT,
    "set7" TEXT,
    "set8" TEXT,
    "set9" TEXT,
    "set10" TEXT
);

-- Printers without a driver: the roll width in dots at 203 dpi and whether the
-- cash drawer opens after a sale's receipt. Older files get it on first save.
CREATE TABLE "RAW_PRINTER" (
    "printer" TEXT PRIMARY KEY,
    "paperDots" INTEGER,
    "openDrawer" INTEGER
);

CREATE TABLE "PRODUCT_NAME" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "items" TEXT,
    "price" TEXT
);

CREATE TABLE "SALER" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "items" TEXT,
    "standby" TEXT
);

CREATE TABLE "AUTO_NUM" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "num" TEXT,
    "standby1" TEXT
);

-- The delivered administrator; the login dialog tells the user the password is empty.
INSERT INTO "USER" ("name", "code", "power") VALUES ('admin', '', '管理员');

-- Login row: last user, direct login off, no receipt prefix, default fonts.
INSERT INTO "USER_SET" ("id", "userName", "userPower", "directLogin",
    "set1", "set2", "set3", "set4", "set5", "set6", "set7", "set8", "set9", "set10")
VALUES (1, 'admin', '管理员', 0, '0', '0', '', '0', '', '黑体', '23', '华文中宋', '21', '17');

-- Shop information: save every sale, show the print notice, print prices,
-- remember products, no logo, no margins.
INSERT INTO "INFO" ("id", "shopName", "ifSave", "remark1", "remark2", "saler", "showPrice",
    "set1", "set2", "set3", "set4", "set5", "set6", "set7", "set8", "set9", "set10")
VALUES ('1', '我的小店', '1', '谢谢惠顾，欢迎再次光临！', '1', '0', '1',
    '', '0', '0', '', '0', '0', '0', '1', '0', '0');

-- Payment-method seed row; the sales window adds "现金" when no method exists.
INSERT INTO "AUTO_NUM" ("num", "standby1") VALUES ('1', '');
