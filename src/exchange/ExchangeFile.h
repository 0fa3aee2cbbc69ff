#pragma once
// The exchange file as the operations see it, in one of two ways:
// - ExchangeOnDisk: the file as it is on disk at each read, each write replacing it durably. Every
//   road of SHPDF reads it so, since the host may change it between two reads.
// - ExchangeSnapshot: read once, when a windowless batch generation starts; the operation's own
//   writes change the snapshot, and reach the disk in one durable replacement (flush()).
// For the same writes on the same file, both leave the same bytes on disk.

#include "exchange/ProfileFile.h"
#include "exchange/ProfileText.h"

#include <optional>
#include <string>
#include <string_view>

namespace formalys::exchange {

class ExchangeFile
{
public:
    virtual ~ExchangeFile() = default;
    // The value of `key` in `section` as UTF-8, trimmed and unquoted; nothing when the file, the
    // section or the key is missing, or the file cannot be read.
    virtual std::optional<std::string> value(std::string_view section, std::string_view key) = 0;
    // Writes as the profile writer does (writeProfileString).
    virtual ProfileWrite write(std::string_view section, std::string_view key,
                               std::string_view value) = 0;
};

class ExchangeOnDisk final : public ExchangeFile
{
public:
    explicit ExchangeOnDisk(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> value(std::string_view section, std::string_view key) override;
    ProfileWrite write(std::string_view section, std::string_view key,
                       std::string_view value) override;

private:
    std::string path_;
};

class ExchangeSnapshot final : public ExchangeFile
{
public:
    // Reads the file at `path` once; a missing file is an empty one, which a write creates.
    explicit ExchangeSnapshot(std::string path);
    std::optional<std::string> value(std::string_view section, std::string_view key) override;
    ProfileWrite write(std::string_view section, std::string_view key,
                       std::string_view value) override;
    // Replaces the file on disk with the snapshot when a write changed it; nothing otherwise.
    ProfileWrite flush();

private:
    std::string path_;
    ProfileText text_;
    bool existed_ = false;    // the file was there, and held something
    bool changed_ = false;    // a write changed the snapshot since the last flush
    ProfileWrite unreadable_; // why the file could not be read; ok when it could (or was missing)
};

} // namespace formalys::exchange
