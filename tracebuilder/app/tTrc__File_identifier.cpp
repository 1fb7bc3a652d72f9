#include "tTrc__File_identifier.h"

#include "tTrcT.h"

tTrc__File_identifier::tTrc__File_identifier(QString folderPath, QString name)
    : folder(std::move(folderPath)), fileName(std::move(name)), reader(&tTrcT::Unknown()) {}

std::filesystem::path tTrc__File_identifier::path() const {
    return std::filesystem::path(folder.toStdU16String()) / std::filesystem::path(fileName.toStdU16String());
}
