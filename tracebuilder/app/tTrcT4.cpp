#include "tTrcT4.h"

#include "FileHead.h"
#include "SsmIo.h"
#include "SsmTimeAxis.h"

namespace {

ssm::Header headerOf(std::span<const std::uint8_t> bytes) {
    return ssm::parseHeader(bytes.first<ssm::kHeaderSize>());
}

} // namespace

tTrcT4::tTrcT4(ssm::Version version, QString displayName)
    : tTrcT(ssm::magicText(version).data()), version_(version), displayName_(std::move(displayName)) {}

std::uint8_t tTrcT4::Identify(tTrc__File_identifier& id) const {
    // The recogniser has usually read the head already; a fresh identifier reads it here.
    if (!headRead(id) && !readFileHead(id))
        return CannotOpen;
    if (ssm::tracebuilderVersion(id.headerBytes(), id.fileSize) != version_)
        return TitleMismatch;
    const ssm::Header h = headerOf(id.headerBytes());
    id.siteNumber = h.siteNumber;
    id.pileNumber = h.pileNumber;
    return Ok;
}

std::uint8_t tTrcT4::ProduceChannels(const tFilterFlags& filter, const tTrc__File_identifier& id,
                                     tTrc__DataList& list) const {
    if (filter.active && !filter.wantChannel1 && !filter.wantChannel2)
        return NothingWanted;
    if (id.headerSize < ssm::kHeaderSize)
        return CannotRead;
    const ssm::Header h = headerOf(id.headerBytes());
    const bool wanted[2] = {filter.wantChannel1, filter.wantChannel2};
    for (int c = 0; c < 2; ++c) {
        if (filter.active && !wanted[c])
            continue;
        auto channel = std::make_unique<tTrc__Data>();
        channel->channel = std::int16_t(c);
        channel->pointCount = std::uint16_t(ssm::kBlockWords);
        channel->samplePeriod = h.samplePeriod;
        channel->headerPeriod = h.samplePeriod;
        channel->waveVelocity = h.velocity;
        channel->source = &id;
        channel->origin = {id.folder, id.fileName, id.siteNumber, id.pileNumber, id.lastWriteMsecs};
        list.push_back(std::move(channel));
    }
    return Ok;
}

std::uint8_t tTrcT4::LoadPoints(const tTrc__File_identifier& id, tTrc__Data& channel,
                                FileFailure& why) const {
    if (channel.points.count() > 0)
        return Ok;
    if (channel.channel < 0 || channel.channel > 1) {
        why = {FailureKind::Damaged, 0};
        return CannotRead;
    }
    const ssm::Block sensor = channel.channel == 0 ? ssm::Block::Sensor1 : ssm::Block::Sensor2;
    ssm::FileParts parts;
    if (!ssm::readParts(id.path(), {sensor, ssm::Block::TimeStamps}, parts, why))
        return CannotRead;
    // The file may have been replaced since it was listed: read it as what it is now.
    if (ssm::tracebuilderVersion(parts.header, parts.fileSize) != version_ || parts.block(sensor).empty()) {
        why = {FailureKind::Damaged, 0};
        return CannotRead;
    }
    const ssm::Header h = parts.parsedHeader();
    channel.points.SetCount(ssm::pointCount(version_));
    const std::optional<double> mean =
        ssm::decodePoints(parts.block(sensor), parts.block(ssm::Block::TimeStamps), h.tickPeriod, version_,
                          channel.points.data());
    if (!mean) {
        channel.points.SetCount(0);
        why = {FailureKind::Damaged, 0};
        return CannotRead;
    }
    channel.samplePeriod = float(*mean);
    return Ok;
}
