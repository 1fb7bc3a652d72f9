#pragma once
// The reader of files no version reader knows; it is also the recogniser that hands a file
// to the reader of its version.

#include "tTrcT.h"

class tTrcT_Unknown : public tTrcT {
public:
    tTrcT_Unknown() : tTrcT("") {}

    std::uint8_t Identify(tTrc__File_identifier& id) const override;
    std::uint8_t ProduceChannels(const tFilterFlags&, const tTrc__File_identifier&,
                                 tTrc__DataList&) const override {
        return Ok;
    }
    std::uint8_t LoadPoints(const tTrc__File_identifier&, tTrc__Data&, FileFailure&) const override {
        return Ok;
    }
    QString DisplayName() const override { return QStringLiteral("Файл .ssm неизвестного формата"); }
};
