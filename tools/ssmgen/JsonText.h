#pragma once
// Files and JSON texts read with the reason of a failure: the truth's reader and the scorer's.

#include <QJsonDocument>

#include <filesystem>
#include <optional>
#include <string>

namespace ssmgen {

// The whole file; nothing, with the reason in `error`, when it cannot be read.
std::optional<std::string> readText(const std::filesystem::path& path, std::string& error);
// Nothing, with the parser's reason and where, for a text that is not JSON.
std::optional<QJsonDocument> parseJson(const std::string& json, std::string& error);

} // namespace ssmgen
