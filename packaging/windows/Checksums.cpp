#include "Checksums.h"

#include <windows.h>

#include <bcrypt.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <vector>

namespace installer {
namespace {

// The hash object of one file, released at the end of its scope.
class Sha256 {
public:
    Sha256() {
        if (BCryptOpenAlgorithmProvider(&algorithm_, BCRYPT_SHA256_ALGORITHM, nullptr, 0) < 0)
            return;
        if (BCryptCreateHash(algorithm_, &hash_, nullptr, 0, nullptr, 0, 0) < 0)
            hash_ = nullptr;
    }
    ~Sha256() {
        if (hash_ != nullptr)
            BCryptDestroyHash(hash_);
        if (algorithm_ != nullptr)
            BCryptCloseAlgorithmProvider(algorithm_, 0);
    }
    Sha256(const Sha256 &) = delete;
    Sha256 &operator=(const Sha256 &) = delete;

    bool add(const char *data, std::size_t size) {
        return hash_ != nullptr &&
               BCryptHashData(hash_, reinterpret_cast<PUCHAR>(const_cast<char *>(data)),
                              static_cast<ULONG>(size), 0) >= 0;
    }

    std::optional<std::wstring> hex() {
        std::array<unsigned char, 32> digest{};
        if (hash_ == nullptr || BCryptFinishHash(hash_, digest.data(), digest.size(), 0) < 0)
            return std::nullopt;
        std::wstring text;
        for (unsigned char byte : digest) {
            wchar_t pair[3];
            std::swprintf(pair, 3, L"%02x", byte);
            text += pair;
        }
        return text;
    }

private:
    BCRYPT_ALG_HANDLE algorithm_ = nullptr;
    BCRYPT_HASH_HANDLE hash_ = nullptr;
};

} // namespace

std::optional<std::wstring> checksumOf(const std::filesystem::path &path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    Sha256 sha256;
    std::vector<char> buffer(1 << 16);
    while (file) {
        file.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        if (!sha256.add(buffer.data(), static_cast<std::size_t>(file.gcount())))
            return std::nullopt;
    }
    if (file.bad())
        return std::nullopt;
    return sha256.hex();
}

} // namespace installer
