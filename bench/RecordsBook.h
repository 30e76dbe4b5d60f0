#pragma once
// A records book the size of years of a busy shop: 100,000 sales and about
// 1,000,000 lines over two years, five cashiers, about 2,000 product names.
// Written with the SQLite C API in one transaction (a few seconds).

#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace RecordsBook {

inline std::vector<std::string> productNames()
{
    const char *kinds[] = {
        "纯牛奶", "酸奶",   "奶粉", "奶糖", "面包",   "饼干", "矿泉水", "可乐", "绿茶",   "红茶",
        "方便面", "火腿肠", "鸡蛋", "大米", "食用油", "酱油", "醋",     "白糖", "巧克力", "薯片",
        "牙膏",   "洗发水", "毛巾", "纸巾", "电池",   "啤酒", "果汁",   "咖啡", "蛋糕",   "香肠",
        "奶茶",   "豆浆",   "面粉", "挂面", "花生",   "瓜子", "苹果",   "香蕉", "橙子",   "葡萄"};
    const char *brands[] = {
        "光明",   "蒙牛",   "伊利",   "康师傅", "统一",     "农夫", "怡宝",   "旺旺",   "达利",
        "好丽友", "金龙鱼", "海天",   "雀巢",   "乐事",     "中华", "清风",   "南孚",   "青岛",
        "汇源",   "星巴克", "桃李",   "盼盼",   "三只松鼠", "洽洽", "良品",   "百草味", "恒顺",
        "太古",   "德芙",   "双汇",   "维他",   "香飘飘",   "永和", "五得利", "陈克明", "鲁花",
        "佳沛",   "都乐",   "新奇士", "阳光",   "本地",     "散装", "特价",   "精选",   "家庭装",
        "小包装", "大包装", "礼盒",   "经典",   "新品"};
    std::vector<std::string> names;
    for (const char *brand : brands)
        for (const char *kind : kinds)
            names.push_back(std::string(brand) + kind);
    return names; // 50 x 40 = 2,000
}

inline bool exec(sqlite3 *db, const std::string &sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: %s\n", error ? error : "?");
        sqlite3_free(error);
        return false;
    }
    return true;
}

// Writes the book into FILE (which must not hold tables yet), with the schema
// of SCHEMAFILE.
inline bool write(const std::string &file, const std::string &schemaFile, int sales = 100000)
{
    std::ifstream schemaIn(schemaFile);
    std::stringstream schema;
    schema << schemaIn.rdbuf();
    sqlite3 *db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK)
        return false;
    bool ok = exec(db, schema.str()) && exec(db, "PRAGMA synchronous=OFF") && exec(db, "BEGIN");
    sqlite3_stmt *sale = nullptr;
    sqlite3_stmt *line = nullptr;
    ok = ok &&
         sqlite3_prepare_v2(db,
                            "insert into \"POS_RECORD\" (\"NO\", \"date\", \"money\", \"saler\", "
                            "\"number\", \"standby1\", \"standby2\", \"standby3\", \"standby4\") "
                            "values (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                            -1, &sale, nullptr) == SQLITE_OK &&
         sqlite3_prepare_v2(db,
                            "insert into \"POS_RECORD_DETAIL\" (\"NO\", \"name\", \"num\", "
                            "\"price\", \"money\", \"standby1\") values (?, ?, ?, ?, ?, ?)",
                            -1, &line, nullptr) == SQLITE_OK;
    const std::vector<std::string> names = productNames();
    const char *cashiers[] = {"admin", "张敏", "李强", "王芳", "赵磊"};
    const char *payments[] = {"现金", "微信", "支付宝", "银行卡"};
    const char *remarks[] = {"欢迎下次光临", "", "会员", "谢谢惠顾"};
    unsigned seed = 12345;
    const auto random = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) & 0xFFFFFF;
    };
    // Two years from 2023-01-01, shop hours 08:00 to 21:59.
    const int days = 731;
    const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int i = 0; ok && i < sales; ++i) {
        int day = int(long(i) * days / sales);
        int year = 2023;
        if (day >= 365) {
            day -= 365;
            year = 2024;
        }
        int month = 0;
        for (;;) {
            const int length = monthDays[month] + (month == 1 && year == 2024 ? 1 : 0);
            if (day < length)
                break;
            day -= length;
            ++month;
        }
        const int secondOfDay = 8 * 3600 + int(random() % (14 * 3600));
        char date[32];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d %02d:%02d:%02d", year, month + 1, day + 1,
                      secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
        char number[32];
        std::snprintf(number, sizeof number, "%04d%02d%02d%06d", year, month + 1, day + 1, i);
        const int lines = 1 + int((long(i) * 7919) % 19);
        double money = 0;
        double quantity = 0;
        for (int l = 0; l < lines; ++l) {
            const std::string &name = names[random() % names.size()];
            const double num = 1 + random() % 5;
            const double price = (100 + random() % 9900) / 100.0;
            const double amount = num * price;
            const double discounted = (random() % 4 == 0) ? amount * 0.9 : amount;
            sqlite3_bind_text(line, 1, number, -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(line, 2, name.c_str(), -1, SQLITE_STATIC);
            sqlite3_bind_double(line, 3, num);
            sqlite3_bind_double(line, 4, price);
            sqlite3_bind_double(line, 5, amount);
            sqlite3_bind_double(line, 6, discounted);
            ok = ok && sqlite3_step(line) == SQLITE_DONE;
            sqlite3_reset(line);
            money += discounted;
            quantity += num;
        }
        sqlite3_bind_text(sale, 1, number, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(sale, 2, date, -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(sale, 3, money);
        sqlite3_bind_text(sale, 4, cashiers[random() % 5], -1, SQLITE_STATIC);
        sqlite3_bind_double(sale, 5, quantity);
        sqlite3_bind_text(sale, 6, remarks[random() % 4], -1, SQLITE_STATIC);
        sqlite3_bind_text(sale, 7, "", -1, SQLITE_STATIC);
        sqlite3_bind_text(sale, 8, "", -1, SQLITE_STATIC);
        sqlite3_bind_text(sale, 9, payments[random() % 4], -1, SQLITE_STATIC);
        ok = ok && sqlite3_step(sale) == SQLITE_DONE;
        sqlite3_reset(sale);
    }
    sqlite3_finalize(sale);
    sqlite3_finalize(line);
    ok = ok && exec(db, "COMMIT");
    sqlite3_close(db);
    return ok;
}

} // namespace RecordsBook
