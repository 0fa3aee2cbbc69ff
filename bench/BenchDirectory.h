#pragma once
// A fresh application directory for the benchmarks: the shipped templates (FORMALYS_FORMS_DIR) and
// mapping grids (FORMALYS_GRIDS_DIR) copied into a new temporary directory, removed at the end.

#include <cstdlib>
#include <filesystem>
#include <string>

class BenchDirectory
{
public:
    BenchDirectory()
    {
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "formalys-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        path_ = pattern;
        for (const char* source : {FORMALYS_FORMS_DIR, FORMALYS_GRIDS_DIR}) {
            for (const auto& entry : fs::directory_iterator(source)) {
                fs::copy(entry.path(), path_ / entry.path().filename());
            }
        }
    }
    ~BenchDirectory() { std::filesystem::remove_all(path_); }
    BenchDirectory(const BenchDirectory&) = delete;
    BenchDirectory& operator=(const BenchDirectory&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};
