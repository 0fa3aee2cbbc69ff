#pragma once
// The content of a Windows-style profile (INI) file, read and edited the way the Windows profile
// functions do it:
// - section and key names match regardless of letter case, accented letters included;
// - spaces and tabs around names and values are ignored, and a value enclosed in a pair of the
//   same quote character (" or ') loses the pair;
// - a line whose first non-blank character is ";" is a comment, a line without "=" is no key,
//   lines before the first section belong to none;
// - the first section of a name, and the first key of a name within it, win;
// - CRLF, LF and CR line endings all read.
// Edits change one line or add lines; every other byte of the file stays as it was, in the file's
// own encoding and line endings.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace formalys::exchange {

// How the bytes of a profile file are to be read. A file with a UTF-8 byte-order mark, or one that
// is valid UTF-8 and holds multi-byte sequences, is UTF-8; one with a UTF-16 byte-order mark is
// UTF-16 (Notepad's "Unicode", as the Windows profile functions read and write it); anything else
// is Windows-1252.
enum class FileEncoding
{
    Windows1252,
    Utf8,
    Utf8WithBom,
    Utf16LittleEndian,
    Utf16BigEndian,
};

class ProfileText
{
public:
    // `bytes` is the file's content; an empty content stands for a new file, which is written in
    // UTF-8 with a byte-order mark and CRLF line endings.
    explicit ProfileText(std::string bytes);

    FileEncoding encoding() const { return encoding_; }
    // The file's content as it is to be written: in the file's own encoding.
    std::string bytes() const;

    // The value of `key` in `section` as UTF-8, trimmed and unquoted; nothing when the section or
    // the key is absent.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Sets `key` in `section` to `value` (UTF-8): in place when the key exists, else appended at
    // the end of the section's keys, else in a new section at the end of the file. Line breaks in
    // the value become blanks; a character the file's encoding cannot hold becomes "?". Returns
    // false, changing nothing, when the names cannot be written as a section and a key (empty,
    // holding a line break, a key holding "=" or starting with "[" or ";", a section name holding
    // "]").
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

    // Whether `bytes` can be the text of a profile at all: UTF-16 with its byte-order mark, or no
    // NUL byte and either valid UTF-8 or free of the bytes Windows-1252 leaves undefined, and in
    // every case no NUL character. Anything else is some other file.
    static bool isText(std::string_view bytes);

    static bool isWritableSectionName(std::string_view section);
    static bool isWritableKeyName(std::string_view key);

private:
    struct Line
    {
        std::size_t begin = 0; // first byte
        std::size_t end = 0;   // first byte of the line ending (or end of file)
        std::size_t next = 0;  // first byte of the next line
    };

    struct Location
    {
        std::optional<std::size_t> section; // line index of the section header
        std::optional<std::size_t> key;     // line index of the key
        std::optional<std::size_t> lastKeyOfSection;
    };

    enum class LineKind
    {
        Other,
        Section,
        Key,
    };

    LineKind classify(const Line& line, std::string_view* name, std::string_view* rest) const;
    Location locate(std::string_view section, std::string_view key) const;
    bool namesMatch(std::string_view fileName, std::string_view wanted) const;
    std::string decode(std::string_view fileBytes) const;
    std::string encode(std::string_view utf8) const;
    bool canHold(std::string_view utf8) const;
    std::string_view lineEnding() const;
    void split();
    // The line of `key` in `section`, as locate() finds it.
    std::optional<std::size_t> keyLine(std::string_view section, std::string_view key) const;
    // The names folded to capitals, as the index holds them; `asInFile`: in the file's encoding.
    std::string indexKey(std::string_view section, std::string_view key, bool asInFile) const;
    void buildIndex() const;

    std::string bytes_; // UTF-16 files are held as UTF-8, without a byte-order mark
    FileEncoding encoding_ = FileEncoding::Windows1252;
    std::size_t contentStart_ = 0; // after the byte-order mark
    std::vector<Line> lines_;
    // Folded section and key name → line, built at the second lookup of an unchanged text.
    mutable std::optional<std::unordered_map<std::string, std::size_t>> index_;
    mutable int lookups_ = 0;
};

} // namespace formalys::exchange
