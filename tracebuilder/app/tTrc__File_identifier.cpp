#include "tTrc__File_identifier.h"

#include "PlatformPath.h"
#include "tTrcT.h"

tTrc__File_identifier::tTrc__File_identifier(QString folderPath, QString name)
    : folder(std::move(folderPath)), fileName(std::move(name)), reader(&tTrcT::Unknown()) {}

std::filesystem::path tTrc__File_identifier::path() const {
    return platform::FsPath(folder + QLatin1Char('/') + fileName);
}
