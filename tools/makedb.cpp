// Builds one delivered SQLite database from an SQL script: makedb OUTPUT SCRIPT.
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: makedb OUTPUT SCRIPT\n");
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "makedb: cannot read %s\n", argv[2]);
        return 1;
    }
    std::stringstream script;
    script << in.rdbuf();

    const std::string output = argv[1];
    const std::string temp = output + ".tmp";
    std::remove(temp.c_str());

    sqlite3 *db = nullptr;
    if (sqlite3_open(temp.c_str(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "makedb: cannot create %s\n", temp.c_str());
        return 1;
    }
    char *error = nullptr;
    const std::string sql = "BEGIN;\n" + script.str() + "\nCOMMIT;";
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "makedb: %s: %s\n", argv[2], error ? error : "error");
        sqlite3_free(error);
        sqlite3_close(db);
        std::remove(temp.c_str());
        return 1;
    }
    sqlite3_close(db);
    if (std::rename(temp.c_str(), output.c_str()) != 0) {
        std::fprintf(stderr, "makedb: cannot write %s\n", output.c_str());
        return 1;
    }
    return 0;
}
