// Runs a fuzz harness over files and folders of inputs, without the fuzzer: how the test
// suite keeps every input that once broke something checked.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size);

namespace {

int RunFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path root(argv[i]);
        std::error_code error;
        if (fs::is_directory(root, error)) {
            for (const auto& entry : fs::recursive_directory_iterator(root, error)) {
                if (entry.is_regular_file()) count += RunFile(entry.path());
            }
        } else if (fs::is_regular_file(root, error)) {
            count += RunFile(root);
        }
    }
    std::printf("%d inputs replayed without a fault\n", count);
    return 0;
}
