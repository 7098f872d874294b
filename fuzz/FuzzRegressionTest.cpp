// Replays every committed fuzz input (the seed corpus and the inputs that
// once broke a rule or crashed) through the same harnesses the fuzzers use.
#include <gtest/gtest.h>
#include "fuzz/ChunkFuzzHarness.h"
#include "fuzz/DispatcherFuzzHarness.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
struct FuzzInput
{
    std::string kind;   // "chunk" or "dispatcher"
    fs::path file;
};

std::vector<FuzzInput> committedInputs()
{
    std::vector<FuzzInput> inputs;
    const fs::path root = fs::path (QV_TEST_SOURCE_DIR) / "fuzz";

    for (const char* set : { "corpus", "regressions" })
        for (const char* kind : { "chunk", "dispatcher" })
        {
            const auto folder = root / set / kind;
            if (! fs::is_directory (folder))
                continue;
            for (const auto& entry : fs::directory_iterator (folder))
                if (entry.is_regular_file() && entry.path().filename().string()[0] != '.'
                    && entry.path().filename() != "README.md")
                    inputs.push_back ({ kind, entry.path() });
        }

    std::sort (inputs.begin(), inputs.end(), [] (const auto& a, const auto& b) { return a.file < b.file; });
    return inputs;
}

std::string testName (const testing::TestParamInfo<FuzzInput>& info)
{
    std::string name = info.param.file.parent_path().parent_path().filename().string() + "_" + info.param.kind + "_"
                       + info.param.file.filename().string();
    std::replace_if (name.begin(), name.end(), [] (char c) { return ! std::isalnum ((unsigned char) c); }, '_');
    return name;
}

class FuzzRegression : public testing::TestWithParam<FuzzInput>
{
};

TEST_P (FuzzRegression, KeepsEveryRule)
{
    std::ifstream file (GetParam().file, std::ios::binary);
    const std::vector<uint8_t> bytes ((std::istreambuf_iterator<char> (file)), std::istreambuf_iterator<char>());

    std::string problem;
    if (GetParam().kind == "chunk")
        problem = ChunkFuzzHarness().run (bytes.data(), bytes.size());
    else
        problem = DispatcherFuzzHarness().run (bytes.data(), bytes.size());

    EXPECT_EQ (problem, "");
}

INSTANTIATE_TEST_SUITE_P (Committed, FuzzRegression, testing::ValuesIn (committedInputs()), testName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST (FuzzRegression);
}
