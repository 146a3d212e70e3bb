#include "output_file.h"

#include <fstream>
#include <iostream>

#include "exit_codes.h"

namespace klu::cli {

int WriteOutputFile(const std::string& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file) file.close();
    if (!file) {
        std::cerr << "The file " << path << " could not be written.\n";
        return kExitCannotCreate;
    }
    return 0;
}

void WriteToStdout(std::string_view bytes) {
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace klu::cli
