#pragma once
// Runs the qpdf program (`qpdf --check`) on a file, independently of the code under test.

#include <string>

namespace formalys::testing {

struct QpdfCheck
{
    bool sound = false; // exit status 0, no warning, no error
    std::string output; // what qpdf printed, for the failure message
};

QpdfCheck qpdfCheck(const std::string& path);

} // namespace formalys::testing
