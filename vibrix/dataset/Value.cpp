#include "Value.h"

namespace vxds {

namespace {

template <typename T> int threeWay(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

int compareValues(const Value& a, const Value& b) {
    if (a.index() != b.index())
        return threeWay(a.index(), b.index());
    return std::visit(
        [&](const auto& x) -> int {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return 0;
            else if constexpr (std::is_same_v<T, QString>)
                return threeWay(x.compare(std::get<QString>(b)), 0);
            else
                return threeWay(x, std::get<T>(b));
        },
        a);
}

int compareRows(const Row& a, const Row& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (const int c = compareValues(a[i], b[i]))
            return c;
    return threeWay(a.size(), b.size());
}

Value coerce(const FieldDef& def, Value v) {
    if (isNull(v))
        return v;
    switch (def.type) {
    case FieldType::DateTime:
        if (std::holds_alternative<std::int32_t>(v))
            return double(std::get<std::int32_t>(v));
        if (std::holds_alternative<double>(v))
            return v;
        break;
    case FieldType::Int32:
        if (std::holds_alternative<std::int32_t>(v))
            return v;
        break;
    case FieldType::Blob:
        if (std::holds_alternative<QByteArray>(v))
            return v;
        break;
    case FieldType::Memo:
        if (std::holds_alternative<QString>(v))
            return v;
        break;
    case FieldType::String:
        if (std::holds_alternative<QString>(v))
            return std::get<QString>(v).left(def.size);
        break;
    }
    throw DataSetError("Field '" + def.name.toStdString() + "' cannot take this value");
}

bool isNull(const Value& v) {
    return std::holds_alternative<std::monostate>(v);
}

double asDouble(const Value& v) {
    if (const auto* d = std::get_if<double>(&v))
        return *d;
    if (const auto* i = std::get_if<std::int32_t>(&v))
        return *i;
    return 0;
}

std::int32_t asInt(const Value& v) {
    if (const auto* i = std::get_if<std::int32_t>(&v))
        return *i;
    return 0;
}

QByteArray asBytes(const Value& v) {
    if (const auto* b = std::get_if<QByteArray>(&v))
        return *b;
    if (const auto* s = std::get_if<QString>(&v))
        return s->toUtf8();
    return {};
}

QString asText(const Value& v) {
    if (const auto* s = std::get_if<QString>(&v))
        return *s;
    return {};
}

} // namespace vxds
