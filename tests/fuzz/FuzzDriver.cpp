// A small mutation fuzzer for the native build: it feeds a fuzz target (the libFuzzer entry
// point) with inputs grown from its seed texts and the target's dictionary for a fixed
// number of seconds, under AddressSanitizer and UBSan, so every test run tries new inputs.
//   fuzz_target [seconds] [seed]
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// Texts the target likes to see (macro names, keywords ...); null-terminated list.
extern const char* const kFuzzDictionary[];

namespace {

// Shift_JIS pieces that trip byte-wise code: trail bytes 0x5C and letters, a lead byte at
// the end, the ideographic space.
const char* const kAwkwardBytes[] = {"表", "ソ", "能", "\x81\x40", "\x81", "\r\n", "\n", "\t", "\\", ",", ";", "$",
                                     "@", "'", "\"", "--"};

std::string Mutate(std::string input, std::mt19937& random)
{
    const int steps = 1 + static_cast<int>(random() % 8);
    for (int step = 0; step < steps; ++step) {
        size_t at = input.empty() ? 0 : random() % (input.size() + 1);
        switch (random() % 5) {
        case 0: {
            size_t count = 0;
            while (kFuzzDictionary[count])
                ++count;
            if (count)
                input.insert(at, kFuzzDictionary[random() % count]);
            break;
        }
        case 1:
            input.insert(at, kAwkwardBytes[random() % (sizeof kAwkwardBytes / sizeof kAwkwardBytes[0])]);
            break;
        case 2:
            if (!input.empty())
                input.erase(at == input.size() ? at - 1 : at, 1 + random() % 4);
            break;
        case 3:
            if (!input.empty())
                input[random() % input.size()] = static_cast<char>(random() % 256);
            break;
        default:
            input.insert(at, 1, static_cast<char>(random() % 256));
            break;
        }
    }
    if (input.size() > 4096)
        input.resize(4096);
    return input;
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10))
                                   : static_cast<unsigned>(std::random_device{}());
    std::mt19937 random(seed);
    std::vector<std::string> pool = {""};
    for (size_t i = 0; kFuzzDictionary[i]; ++i)
        pool.push_back(kFuzzDictionary[i]);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    unsigned long runs = 0;
    while (std::chrono::steady_clock::now() < end) {
        std::string input = Mutate(pool[random() % pool.size()], random);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
        if (pool.size() < 512 && random() % 16 == 0)
            pool.push_back(input);
        ++runs;
    }
    std::printf("%lu inputs in %.1f s (seed %u)\n", runs, seconds, seed);
    return 0;
}
