#pragma once
// What every test of Formalys includes: GoogleTest and GoogleMock, the support helpers (a
// temporary application directory, files, a template made in memory, a PDF read back with QPDF)
// and the names the tests use most.

#include "component/Warnings.h"
#include "support/AppFixture.h"
#include "support/Files.h"
#include "support/PdfReadBack.h"
#include "support/TestForm.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace formalys;
using namespace formalys::testing;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
namespace fs = std::filesystem;
