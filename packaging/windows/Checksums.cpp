#include "Checksums.h"

#include <windows.h>

#include <bcrypt.h>

#include <array>
#include <cstdio>
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

std::optional<std::wstring> checksumOf(const std::wstring &path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    Sha256 sha256;
    std::vector<char> buffer(1 << 16);
    DWORD read = 0;
    bool whole = false;
    while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
        if (read == 0) {
            whole = true;
            break;
        }
        if (!sha256.add(buffer.data(), read))
            break;
    }
    CloseHandle(file);
    return whole ? sha256.hex() : std::nullopt;
}

} // namespace installer
