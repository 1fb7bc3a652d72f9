#pragma once
// One measurement in memory: key values, recording parameters and the three channels
// conditioned to -1 ... +1, and its packed form stored in a project row.

#include "FileFailure.h"
#include "SsmIo.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

struct TMeasureResult {
    double DateTime = 0; // days since 30 December 1899, local time
    std::int32_t SiteNumber = 0;
    std::int32_t PileNumber = 0;
    double SampleFreq = 0; // Hz
    std::int32_t SampleLen = 0;
    double Velocity = 0; // m/s
    double BaseLen = 0;  // cm
    double Amp = 0;      // gain coefficient
    std::vector<float> Ch0Data, Ch1Data, HamData;
};

constexpr std::size_t kChannelSamples = 16384;
constexpr std::size_t kStoredMeasureSize = 196672;

// Offset-binary words to samples scaled by the channel's own largest magnitude, so that
// the largest one becomes exactly +1 or -1; a silent channel stays zero. Same lengths.
void ConvertChannel(std::span<const std::uint16_t> words, std::span<float> samples);

// The stored value: the 52 bytes of key values and parameters, 12 zero bytes, then the
// three channels as raw little-endian float32.
QByteArray packMeasure(const TMeasureResult& r);
// False (record left empty) unless `bytes` is a whole stored value.
bool unpackMeasure(const QByteArray& bytes, TMeasureResult& r);
// A whole stored value with the parameters the views can work with: a finite positive sample
// frequency and a record length that is a power of two from 4 to 16384.
bool storedMeasureUsable(const QByteArray& bytes);

// A stored value read where it lies, for work over many records at once: the parameters, and the
// channels as views into the value (copied once only when the bytes are not aligned for floats).
// The record's arrays are left empty.
class TStoredMeasure {
public:
    TStoredMeasure() = default;
    TStoredMeasure(TStoredMeasure&&) = default; // the views move with their storage
    TStoredMeasure& operator=(TStoredMeasure&&) = default;
    TStoredMeasure(const TStoredMeasure&) = delete;
    TStoredMeasure& operator=(const TStoredMeasure&) = delete;

    // False (and nothing to read) unless `bytes` is a whole stored value.
    bool Open(const QByteArray& bytes);
    const TMeasureResult& Head() const { return head_; }
    // Sensor 1, sensor 2, hammer: all 16384 samples.
    std::span<const float> Channel(int k) const { return channels_[k]; }

private:
    QByteArray bytes_; // shares the row's value, keeping it alive
    std::vector<float> copy_;
    TMeasureResult head_;
    std::span<const float> channels_[3];
};

// A measurement file that exists but cannot be read; carries the reason in the user's words.
class MeasureFileError : public std::runtime_error {
public:
    MeasureFileError(const QString& fileName, const FileFailure& failure);
    QString fileName, reason;
};

// A file of an import, read and decoded away from the tables (on the import's worker) and handed
// to the GUI thread to be stored: a measurement's key and stored value, or why it is none.
struct TReadMeasure {
    enum class Kind { Measurement, Foreign, Unreadable };
    QString FileName;
    double DateTime = 0; // the file's last-write time: the row's date-time
    Kind kind = Kind::Foreign;
    std::int32_t SiteNumber = 0;
    std::int32_t PileNumber = 0;
    QByteArray Stored; // a measurement's stored value
    QString Reason;    // why an unreadable file could not be read, in the user's words
};

// Reads a measurement file for the record. Throws MeasureFileError when it cannot be read.
// One object can read file after file, reusing its buffer.
class MeasureFile {
public:
    MeasureFile() = default;
    explicit MeasureFile(const QString& path) { read(path); }
    void read(const QString& path);
    // The loose title test, with a header and blocks the file really holds.
    bool isMeasurement() const { return valid_; }
    std::int32_t siteNumber() const;
    std::int32_t pileNumber() const; // the whole 16-bit pile number
    // The record of this file measured at `dateTime`.
    TMeasureResult record(double dateTime) const;
    // The same record's stored value (packMeasure of it), made without the record's arrays.
    QByteArray stored(double dateTime) const;
    // What the file just read is for an import, taken at `dateTime`.
    TReadMeasure measure(const QString& fileName, double dateTime) const;

private:
    TMeasureResult head(double dateTime) const; // the record without its channels
    void convertChannel(int k, std::span<float> samples) const;

    ssm::FileParts parts_; // the header and the three channel blocks
    bool valid_ = false;
};

// Reads and decodes one file with `reader` (reusing its buffers). Never throws for the file: a file
// that cannot be read, or any other failure, comes back as Unreadable with the reason.
TReadMeasure ReadMeasure(MeasureFile& reader, const QString& fileName, double dateTime);
