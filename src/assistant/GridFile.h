#pragma once
// PLACEHOLDER until the grid-file work lands: declarations only.
#include "assistant/Sheet.h"

#include <string>

namespace formalys::assistant {

bool LoadGridFile(Sheet& sheet, const std::string& path);
bool saveGridFile(const Sheet& sheet, const std::string& path);

} // namespace formalys::assistant
