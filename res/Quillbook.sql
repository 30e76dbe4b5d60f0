-- Records database: stored sales, their lines and the receipt counter.
-- Column order is part of the format: rows are read by position.
CREATE TABLE "AUTO_NUM" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "num" TEXT
);

CREATE TABLE "POS_RECORD" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "NO" TEXT,
    "date" TEXT,
    "money" REAL,
    "saler" TEXT,
    "number" REAL,
    "standby1" TEXT,
    "standby2" TEXT,
    "standby3" TEXT,
    "standby4" TEXT
);

CREATE TABLE "POS_RECORD_DETAIL" (
    "NO" TEXT,
    "name" TEXT,
    "num" REAL,
    "price" REAL,
    "money" REAL,
    "standby1" REAL
);

CREATE INDEX "POS_RECORD_NO" ON "POS_RECORD" ("NO");
CREATE INDEX "POS_RECORD_date" ON "POS_RECORD" ("date");
CREATE INDEX "POS_RECORD_DETAIL_NO" ON "POS_RECORD_DETAIL" ("NO");
