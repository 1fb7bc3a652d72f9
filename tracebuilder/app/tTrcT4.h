#pragma once
// Readers of the three versions of the instrument's measurement file. They differ only in
// the magic text, the display name and which samples make the points.

#include "SsmFile.h"
#include "tTrcT.h"

class tTrcT4 : public tTrcT {
public:
    tTrcT4() : tTrcT4(ssm::Version::V1_0, QStringLiteral("Файл Vibrix4 v1.0")) {}

    std::uint8_t Identify(tTrc__File_identifier& id) const override;
    std::uint8_t ProduceChannels(const tFilterFlags& filter, const tTrc__File_identifier& id,
                                 tTrc__DataList& list) const override;
    std::uint8_t LoadPoints(const tTrc__File_identifier& id, tTrc__Data& channel,
                            FileFailure& why) const override;
    QString DisplayName() const override { return displayName_; }

protected:
    tTrcT4(ssm::Version version, QString displayName);

private:
    ssm::Version version_;
    QString displayName_;
};

class tTrcT4_v1_1 : public tTrcT4 {
public:
    tTrcT4_v1_1() : tTrcT4(ssm::Version::V1_1, QStringLiteral("Файл Vibrix4 v1.1")) {}
};

class tTrcT4_v1_2 : public tTrcT4 {
public:
    tTrcT4_v1_2() : tTrcT4(ssm::Version::V1_2, QStringLiteral("Файл Vibrix4 v1.2")) {}
};
