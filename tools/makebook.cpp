// Writes a large records book for trying the query window on years of sales:
//   makebook <file> <schema.sql> [sales]
#include "../bench/RecordsBook.h"

#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: makebook <file> <schema.sql> [sales]\n");
        return 2;
    }
    const int sales = argc > 3 ? std::atoi(argv[3]) : 100000;
    return RecordsBook::write(argv[1], argv[2], sales) ? 0 : 1;
}
