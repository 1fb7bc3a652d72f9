#pragma once
// Plain file access shared by the readers of both programs.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ssm {

// Reads a whole file. On failure returns false and puts the system's reason into `error`.
bool readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out, std::string& error);

} // namespace ssm
