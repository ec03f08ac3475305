// Writes a catalogue folder (DISTRIB\ with schema, header and tables) for tests, benchmarks
// and anyone trying the browser:  catalog_maker <folder> [products] [id] [title]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CatalogFixture.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: catalog_maker <folder> [products] [id] [title]\n");
        return 2;
    }
    catalogtest::FixtureOptions options;
    if (argc > 2)
        options.products = atoi(argv[2]);
    if (options.products < 1) {
        fprintf(stderr, "catalog_maker: the product count must be at least 1\n");
        return 2;
    }
    options.sets = options.products / 100 > 3 ? options.products / 100 : 3;
    options.topCategories = options.products / 400 > 3 ? options.products / 400 : 3;
    if (argc > 3)
        options.id = argv[3];
    if (argc > 4)
        options.title = argv[4];
    try {
        catalogtest::Manifest m = catalogtest::GenerateCatalog(argv[1], options);
        printf("%s: %zu products, id %s\n", argv[1], m.products.size(), m.id.c_str());
    } catch (const std::exception& e) {
        fprintf(stderr, "catalog_maker: %s\n", e.what());
        return 1;
    }
    return 0;
}
