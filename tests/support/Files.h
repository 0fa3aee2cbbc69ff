#pragma once
// Reading and writing whole files as bytes, for tests that look at files byte by byte.

#include <string>
#include <string_view>

namespace formalys::testing {

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, std::string_view bytes);

} // namespace formalys::testing
