#pragma once
// Binding engine: keeps typed variables, the edit fields that show them and the change markers
// that depend on them in step. Enter in a bound edit takes its text into the variable, tells
// the markers when the value changed and rewrites the other edits of the variable.

#include <cstdint>
#include <functional>
#include <type_traits>
#include <vector>

#include <QLineEdit>
#include <QObject>
#include <QPointer>

#include "NumberText.h"
#include "tSYN.h"

class tDDCES : public QObject {
    Q_OBJECT
public:
    using ToText = void (*)(const void* variable, QLineEdit* edit);
    using FromText = void (*)(QLineEdit* edit, void* variable);
    // Why the value the variable holds cannot be used; empty when it can.
    using Check = std::function<QString(const void* variable)>;

    struct DDCES_Component {
        QPointer<QLineEdit> edit;
    };

    struct DDCES_Item {
        std::uint16_t editCount = 0;
        std::vector<DDCES_Component> edits;
        void* variable = nullptr;
        std::vector<std::uint8_t> snapshot; // empty until the first Enter
        std::uint8_t size = 0;
        std::vector<tSYN*> syns;
        std::uint8_t typeCode = 0;
        ToText toText = nullptr;
        FromText fromText = nullptr;
        Check check; // none: every number is taken
    };

    // 1 unsigned char, 2 signed char, 3 unsigned short, 4 short, 5 unsigned long, 6 long,
    // 7 float, 8 double; 0 for every other type, which is not registered.
    template <class T> static constexpr std::uint8_t typeCodeOf() {
        using U = std::remove_cv_t<T>;
        if constexpr (std::is_same_v<U, unsigned char>)
            return 1;
        else if constexpr (std::is_same_v<U, signed char>)
            return 2;
        else if constexpr (std::is_same_v<U, unsigned short>)
            return 3;
        else if constexpr (std::is_same_v<U, short>)
            return 4;
        else if constexpr (std::is_same_v<U, unsigned long>)
            return 5;
        else if constexpr (std::is_same_v<U, long>)
            return 6;
        else if constexpr (std::is_same_v<U, float>)
            return 7;
        else if constexpr (std::is_same_v<U, double>)
            return 8;
        else
            return 0;
    }

    explicit tDDCES(QObject* parent = nullptr) : QObject(parent) {}

    template <class T> void AddVariable(T* variable);
    void AddEdit(const void* variable, QLineEdit* edit);
    void AddSyn(const void* variable, tSYN* marker);
    // A value the check refuses is not taken: the variable and the edit return to the value in
    // force, no marker is told, and the reason is given by valueRefused.
    template <class T> void AddCheck(const T* variable, std::function<QString(T)> check);
    // Handles one key of a bound edit; `key` is the character, 13 for Enter. A text that is not
    // a number raises tConvertError and changes nothing.
    void OnEditKeyPress(QLineEdit* sender, int key);

    std::int32_t itemCount() const { return std::int32_t(items_.size()); }

signals:
    // A conversion error met while handling a key event; the window shows it.
    void errorRaised(const QString& message);
    // A number was typed that the variable's check refuses; `reason` says why.
    void valueRefused(const QString& reason);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <class T> static void toTextOf(const void* variable, QLineEdit* edit);
    template <class T> static void fromTextOf(QLineEdit* edit, void* variable);

    DDCES_Item* find(const void* variable);
    bool isBound(const QLineEdit* edit) const;

    std::vector<DDCES_Item> items_;
};

template <class T> void tDDCES::toTextOf(const void* variable, QLineEdit* edit) {
    const T value = *static_cast<const T*>(variable);
    if constexpr (std::is_floating_point_v<T>)
        edit->setText(generalFloatText(value));
    else
        edit->setText(QString::number(value));
}

template <class T> void tDDCES::fromTextOf(QLineEdit* edit, void* variable) {
    if constexpr (std::is_floating_point_v<T>)
        *static_cast<T*>(variable) = static_cast<T>(parseFloatText(edit->text()));
    else
        *static_cast<T*>(variable) = static_cast<T>(parseIntegerText(edit->text())); // low bits kept
}

template <class T> void tDDCES::AddCheck(const T* variable, std::function<QString(T)> check) {
    if (DDCES_Item* item = find(variable); item && check)
        item->check = [check = std::move(check)](const void* v) { return check(*static_cast<const T*>(v)); };
}

template <class T> void tDDCES::AddVariable(T* variable) {
    constexpr std::uint8_t code = typeCodeOf<T>();
    if (code == 0 || !variable || find(variable))
        return;
    DDCES_Item item;
    item.variable = const_cast<std::remove_cv_t<T>*>(variable);
    item.size = std::uint8_t(sizeof(T));
    item.typeCode = code;
    item.toText = &toTextOf<std::remove_cv_t<T>>;
    item.fromText = &fromTextOf<std::remove_cv_t<T>>;
    items_.push_back(std::move(item));
}
