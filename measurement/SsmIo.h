#pragma once
// Plain file access shared by the readers of both programs.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ssm {

// Reads a whole regular file. On failure returns false and puts the system's reason into
// `error`; folders, pipes and devices are refused without waiting on them.
bool readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out, std::string& error);

// Reads what a measurement file can hold: the header and, when its data offset is usable, the
// bytes up to the end of the four blocks, never more. A file cut short yields what it has, so
// the whole-file checks on out.size() give the same answer as on the file's size.
bool readMeasurementFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out,
                         std::string& error);

} // namespace ssm
