// One log line through the keyword dispatch and every match handler, then an
// aggregation over whatever the lines left in the tables.
#include <cstdint>
#include <memory>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "stats/Aggregate.h"
#include "stats/LogReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto tables = std::make_unique<mctf::StatsTables>();
    static int calls = 0;
    // The tables carry over between inputs, as match state carries over
    // between lines; reset now and then so full tables are reached and left.
    if (++calls % 5000 == 0) mctf::ResetLogTables(*tables);
    std::string_view input(reinterpret_cast<const char*>(data), size);
    // Several lines per input: split on newlines as the reader does.
    while (!input.empty()) {
        size_t end = input.find('\n');
        std::string_view line = input.substr(0, end);
        if (line.size() > mctf::kLogLineLimit) line = line.substr(0, mctf::kLogLineLimit);
        mctf::DispatchLogLine(*tables, line);
        if (end == std::string_view::npos) break;
        input.remove_prefix(end + 1);
    }
    if (calls % 1000 == 0) {
        mctf::ServerSettings settings = mctf::DefaultSettings;
        mctf::AggregateStats(*tables, settings, mctf::SeededDraw(static_cast<unsigned>(calls)));
    }
    return 0;
}
