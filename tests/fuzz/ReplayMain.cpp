// Replays fuzz inputs through a fuzz target without libFuzzer: every file named on the command line, and every
// file inside a named folder (in name order, so a run is repeatable), goes once through LLVMFuzzerTestOneInput.
// A finding that was fixed and added to the corpus thus fails the ordinary test build again if it comes back.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Optional, as with libFuzzer: what a target sets up once (an engine, a window) before the first input.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace
{

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& argument)
{
    std::vector<std::filesystem::path> inputs;
    std::error_code error;
    if (!std::filesystem::is_directory(argument, error))
    {
        inputs.push_back(argument);
        return inputs;
    }
    for (const auto& entry : std::filesystem::directory_iterator(argument))
    {
        if (entry.is_regular_file())
            inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

bool Replay(const std::filesystem::path& input)
{
    std::ifstream stream(input, std::ios::binary);
    if (!stream)
    {
        std::fprintf(stderr, "cannot read %s\n", input.string().c_str());
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    // An empty input still needs a valid pointer, as libFuzzer passes one.
    static const std::uint8_t none = 0;
    const auto* data = bytes.empty() ? &none : reinterpret_cast<const std::uint8_t*>(bytes.data());
    LLVMFuzzerTestOneInput(data, bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize != nullptr)
        LLVMFuzzerInitialize(&argc, &argv);
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i)
    {
        for (const std::filesystem::path& input : InputsOf(argv[i]))
        {
            if (!Replay(input))
                return 1;
            ++replayed;
        }
    }
    std::printf("replayed %zu inputs\n", replayed);
    // A target without inputs is a mistake in the build (a wrong corpus path), not a pass.
    return replayed == 0 ? 1 : 0;
}
