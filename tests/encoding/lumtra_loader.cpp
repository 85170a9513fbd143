#include "tests/encoding/lumtra_loader.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace {

std::filesystem::path builtLibrary()
{
    const char* dir = std::getenv("QELVANA_PROGRAM_DIR");
    if (dir == nullptr)
        throw std::runtime_error("QELVANA_PROGRAM_DIR is not set");
    return std::filesystem::path(dir) / "liblumtra.so";
}

// Bytes that a pass running past the terminator would convert.
const Bytes kGuard = "\xD6\xD0\xB0\xEA";

std::vector<Bytes> positions(unsigned firstLead, unsigned secondTrailLow)
{
    std::vector<Bytes> all;
    for (unsigned lead = firstLead; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail)
            if (trail <= 0x7E || trail >= secondTrailLow)
                all.push_back({static_cast<char>(lead), static_cast<char>(trail)});
    }
    return all;
}

LumtraLibrary open(const std::filesystem::path& path)
{
    LumtraLibrary library;
    library.handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library.handle == nullptr)
        throw std::runtime_error(std::string("cannot load ") + path.string() + ": " + dlerror());
    library.getNewInf = reinterpret_cast<GetNewInfFunction>(dlsym(library.handle, "GetNewInf"));
    library.lumtra = reinterpret_cast<LumtraFunction>(dlsym(library.handle, "Lumtra"));
    if (library.getNewInf == nullptr || library.lumtra == nullptr)
        throw std::runtime_error("GetNewInf or Lumtra is not exported");
    return library;
}

} // namespace

const LumtraLibrary& lumtraLibrary()
{
    static const LumtraLibrary library = open(builtLibrary());
    return library;
}

LumtraLibrary freshLumtraCopy()
{
    static std::atomic<int> copies{0};
    const auto copy = std::filesystem::temp_directory_path()
        / ("liblumtra-copy-" + std::to_string(getpid()) + "-" + std::to_string(++copies) + ".so");
    std::filesystem::copy_file(builtLibrary(), copy, std::filesystem::copy_options::overwrite_existing);
    LumtraLibrary library = open(copy);
    std::filesystem::remove(copy);   // stays mapped while loaded
    return library;
}

Bytes convert(const Bytes& input, int mode)
{
    std::vector<char> buffer(input.begin(), input.end());
    buffer.push_back('\0');
    buffer.insert(buffer.end(), kGuard.begin(), kGuard.end());
    buffer.push_back('\0');
    lumtraLibrary().lumtra(buffer.data(), mode);
    EXPECT_EQ(hexOf(kGuard), hexOf(Bytes(buffer.data() + input.size() + 1, kGuard.size())))
        << "pass went past the terminator of " << hexOf(input);
    return Bytes(buffer.data(), input.size());
}

const std::vector<Bytes>& gbkPositions() { static const auto all = positions(0x81, 0x80); return all; }
const std::vector<Bytes>& big5Positions() { static const auto all = positions(0xA0, 0xA1); return all; }

Bytes hexBytes(const std::string& hex)
{
    Bytes bytes;
    for (size_t i = 0; i < hex.size();) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
        i += 2;
    }
    return bytes;
}

std::string hexOf(const Bytes& bytes)
{
    std::string hex;
    char cell[8];
    for (unsigned char b : bytes) {
        std::snprintf(cell, sizeof cell, hex.empty() ? "%02X" : " %02X", b);
        hex += cell;
    }
    return hex;
}
