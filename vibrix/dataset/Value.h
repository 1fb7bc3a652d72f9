#pragma once
// Field definitions and cell values of the in-memory tables.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <variant>
#include <vector>

namespace vxds {

enum class FieldType : std::uint8_t { DateTime = 1, Int32 = 2, Blob = 3, Memo = 4, String = 5 };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Int32;
    int size = 0; // characters of a String field; 0 for the other types
    bool operator==(const FieldDef&) const = default;
};

// A cell: null, a date-time (days since 30 December 1899), an int32, a blob, or text.
using Value = std::variant<std::monostate, double, std::int32_t, QByteArray, QString>;
using Row = std::vector<Value>;
// Says whether a row (number `index` of a packet) is one the reader takes.
using RowCheck = std::function<bool(const Row& row, std::uint32_t index)>;

// Raised by operations the table's state does not allow, and by key violations.
class DataSetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Ordering of the index: null first, then by value. Values of one field share one type.
int compareValues(const Value& a, const Value& b);
int compareRows(const Row& a, const Row& b);

// The value converted to what `def` holds (an int for a date-time field, a text cut to a
// String field's width). Throws DataSetError for a value the field cannot take.
Value coerce(const FieldDef& def, Value v);

bool isNull(const Value& v);
double asDouble(const Value& v);
std::int32_t asInt(const Value& v);
QByteArray asBytes(const Value& v);
QString asText(const Value& v);

} // namespace vxds
