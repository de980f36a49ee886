// mctf_loggen FOLDER MEGABYTES [FILES] [SEED]: writes a synthetic log corpus.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/SyntheticLogs.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: mctf_loggen FOLDER MEGABYTES [FILES] [SEED]\n");
        return 2;
    }
    mctf::bench::CorpusPlan plan;
    plan.folder = argv[1];
    plan.totalBytes = std::strtoull(argv[2], nullptr, 10) << 20;
    if (argc > 3) plan.fileCount = std::atoi(argv[3]);
    if (argc > 4) plan.seed = std::strtoull(argv[4], nullptr, 10);
    if (plan.totalBytes == 0 || plan.fileCount < 1) {
        std::fprintf(stderr, "mctf_loggen: the size and the file count must be positive\n");
        return 2;
    }
    std::uint64_t written = mctf::bench::GenerateCorpus(plan);
    if (written == 0) {
        std::fprintf(stderr, "mctf_loggen: cannot write into %s\n", plan.folder.c_str());
        return 1;
    }
    std::printf("%llu bytes in %d files\n", static_cast<unsigned long long>(written),
                plan.fileCount);
    return 0;
}
