#include "pdf/IncrementalUpdate.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <qpdf/Pl_String.hh>
#include <qpdf/QPDF.hh>
#include <set>
#include <vector>

namespace formalys::pdf {

namespace {

bool isBlank(char c)
{
    // PDF white space (PDF 32000-1, 7.2.2).
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

std::size_t skipBlanks(std::string_view s, std::size_t pos)
{
    while (pos < s.size() && isBlank(s[pos])) {
        ++pos;
    }
    return pos;
}

// Reads the unsigned number at `pos`, moving `pos` past it.
std::optional<std::uint64_t> number(std::string_view s, std::size_t& pos)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(s.data() + pos, s.data() + s.size(), value);
    if (error != std::errc() || end == s.data() + pos) {
        return std::nullopt;
    }
    pos = static_cast<std::size_t>(end - s.data());
    return value;
}

// "N G obj" at `pos`: the start of an indirect object, here a cross-reference stream.
bool startsObject(std::string_view s, std::size_t pos)
{
    if (!number(s, pos)) {
        return false;
    }
    pos = skipBlanks(s, pos);
    if (!number(s, pos)) {
        return false;
    }
    pos = skipBlanks(s, pos);
    return s.substr(pos, 3) == "obj";
}

void appendNumber(std::string& out, std::uint64_t value)
{
    char digits[24];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, end);
}

// The entries of one cross-reference subsection run: consecutive object numbers.
struct Entry
{
    QPDFObjGen object;
    std::size_t offset;
};

std::vector<std::pair<int, int>> subsections(const std::vector<Entry>& entries)
{
    std::vector<std::pair<int, int>> runs; // first object number, count
    for (const auto& e : entries) {
        const int id = e.object.getObj();
        if (!runs.empty() && runs.back().first + runs.back().second == id) {
            ++runs.back().second;
        } else {
            runs.emplace_back(id, 1);
        }
    }
    return runs;
}

// The trailer entries a new section carries over: the document's catalog, its information
// dictionary and its identifiers, as the file has them.
std::string carriedTrailerEntries(QPDF& pdf)
{
    QPDFObjectHandle trailer = pdf.getTrailer();
    std::string out;
    for (const char* key : {"/Root", "/Info", "/ID"}) {
        QPDFObjectHandle value = trailer.getKey(key);
        if (!value.isNull()) {
            out += " ";
            out += key;
            out += " ";
            out += value.unparse();
        }
    }
    return out;
}

void writeObject(std::string& out, QPDFObjectHandle object, const ChangeLog& changes,
                 ObjectTexts& texts, std::string& data)
{
    const QPDFObjGen id = object.getObjGen();
    appendNumber(out, static_cast<std::uint64_t>(id.getObj()));
    out += ' ';
    appendNumber(out, static_cast<std::uint64_t>(id.getGen()));
    out += " obj\n";
    if (object.isStream()) {
        // The data as it is stored (filtered, if the dictionary says so), with its true length.
        data.clear();
        Pl_String collect("stream data", nullptr, data);
        object.pipeStreamData(&collect, 0, qpdf_dl_none);
        texts.appendStreamDictionary(out, object, static_cast<long long>(data.size()));
        out += "\nstream\n";
        out += data;
        out += "\nendstream";
    } else if (object.isDictionary()) {
        texts.appendDictionary(out, object, changes);
    } else {
        out += object.unparseResolved();
    }
    out += "\nendobj\n";
}

void writeTable(std::string& out, const std::vector<Entry>& entries, long long size,
                const std::string& trailerEntries, std::size_t previous)
{
    const std::size_t start = out.size();
    out += "xref\n";
    std::size_t at = 0;
    for (const auto& [first, count] : subsections(entries)) {
        appendNumber(out, static_cast<std::uint64_t>(first));
        out += ' ';
        appendNumber(out, static_cast<std::uint64_t>(count));
        out += '\n';
        for (int i = 0; i < count; ++i, ++at) {
            // Exactly 20 bytes: 10-digit offset, 5-digit generation, "n", two-byte end of line.
            char line[21];
            std::snprintf(line, sizeof line, "%010zu %05d n \n", entries[at].offset,
                          entries[at].object.getGen());
            out.append(line, 20);
        }
    }
    out += "trailer\n<< /Size ";
    appendNumber(out, static_cast<std::uint64_t>(size));
    out += trailerEntries;
    out += " /Prev ";
    appendNumber(out, previous);
    out += " >>\nstartxref\n";
    appendNumber(out, start);
    out += "\n%%EOF\n";
}

void putBigEndian(std::string& out, std::uint64_t value, int bytes)
{
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

// A cross-reference stream of its own number `self` (PDF 32000-1, 7.5.8), uncompressed: each
// entry is type 1, a 4-byte offset and a 2-byte generation.
void writeStream(std::string& out, std::vector<Entry> entries, int self,
                 const std::string& trailerEntries, std::size_t previous)
{
    const std::size_t start = out.size();
    entries.push_back({QPDFObjGen(self, 0), start});
    std::string data;
    for (const auto& e : entries) {
        putBigEndian(data, 1, 1);
        putBigEndian(data, e.offset, 4);
        putBigEndian(data, static_cast<std::uint64_t>(e.object.getGen()), 2);
    }
    std::string index;
    for (const auto& [first, count] : subsections(entries)) {
        index += (index.empty() ? "" : " ") + std::to_string(first) + " " + std::to_string(count);
    }
    appendNumber(out, static_cast<std::uint64_t>(self));
    out += " 0 obj\n<< /Type /XRef /Size ";
    appendNumber(out, static_cast<std::uint64_t>(self) + 1);
    out += " /W [1 4 2] /Index [" + index + "]" + trailerEntries + " /Prev ";
    appendNumber(out, previous);
    out += " /Length ";
    appendNumber(out, data.size());
    out += " >>\nstream\n";
    out += data;
    out += "\nendstream\nendobj\nstartxref\n";
    appendNumber(out, start);
    out += "\n%%EOF\n";
}

} // namespace

std::optional<CrossReferenceTail> CrossReferenceTail::find(std::string_view file)
{
    // "startxref" stands in the last kilobyte, followed by the offset and "%%EOF".
    const std::size_t from = file.size() > 1024 ? file.size() - 1024 : 0;
    const auto keyword = file.rfind("startxref");
    if (keyword == std::string_view::npos || keyword < from) {
        return std::nullopt;
    }
    std::size_t pos = skipBlanks(file, keyword + 9);
    const auto offset = number(file, pos);
    if (!offset || *offset >= file.size()) {
        return std::nullopt;
    }
    const std::size_t section = skipBlanks(file, static_cast<std::size_t>(*offset));
    if (file.substr(section, 4) == "xref") {
        return CrossReferenceTail{static_cast<std::size_t>(*offset), false};
    }
    if (startsObject(file, section)) {
        return CrossReferenceTail{static_cast<std::size_t>(*offset), true};
    }
    return std::nullopt;
}

bool IncrementalUpdate::write(std::string_view original, QPDF& pdf, const ChangeLog& changes,
                              ObjectTexts& texts, std::string& out)
{
    const std::set<QPDFObjGen>& changed = changes.changedObjects();
    const auto tail = CrossReferenceTail::find(original);
    if (!tail) {
        return false;
    }
    // One allocation for the whole file: a changed field or appearance takes a few hundred bytes.
    out.reserve(original.size() + 512 * (changed.size() + 1));
    out.assign(original);
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') {
        out += '\n';
    }

    std::vector<Entry> entries;
    entries.reserve(changed.size());
    int highest = 0;
    std::string data;
    for (const QPDFObjGen& id : changed) {
        entries.push_back({id, out.size()});
        writeObject(out, pdf.getObject(id), changes, texts, data);
        highest = std::max(highest, id.getObj());
    }
    // The 4-byte offsets of a stream section, the 10 digits of a table.
    if (out.size() > 0xFFFFFFFFu) {
        return false;
    }

    QPDFObjectHandle sizeEntry = pdf.getTrailer().getKey("/Size");
    const long long fileSize = sizeEntry.isInteger() ? sizeEntry.getIntValue() : 0;
    const long long size = std::max<long long>(fileSize, highest + 1LL);
    const std::string trailerEntries = carriedTrailerEntries(pdf);
    if (tail->isStream) {
        writeStream(out, std::move(entries), static_cast<int>(size), trailerEntries, tail->offset);
    } else {
        writeTable(out, entries, size, trailerEntries, tail->offset);
    }
    return true;
}

} // namespace formalys::pdf
