#pragma once
// A file's whole text, for tests that check what a command wrote.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace quor::test {

// The file's bytes; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace quor::test
