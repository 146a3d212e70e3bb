#pragma once

#include "../model/temp_folder.h"

namespace klu::cli_test {

using test::ReadFile;
using test::TempFolder;

}  // namespace klu::cli_test
