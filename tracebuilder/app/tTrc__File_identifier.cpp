#include "tTrc__File_identifier.h"

#include "tTrcT.h"

tTrc__File_identifier::tTrc__File_identifier(QString folderPath, QString name)
    : folder(std::move(folderPath)), fileName(std::move(name)), reader(&tTrcT::Unknown()) {}

std::filesystem::path tTrc__File_identifier::path() const {
    // The native form of a path is its UTF-8 text; building it from that avoids a conversion facet.
    return std::filesystem::path((folder + QLatin1Char('/') + fileName).toStdString());
}
