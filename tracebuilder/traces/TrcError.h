#pragma once
// The one error type of the trace pipeline: an integer code the window's error display shows.

#include <exception>

struct tTrcError : std::exception {
    static constexpr int MissingObject = -1; // a required object is absent
    static constexpr int InvalidValue = 0;   // a value outside what the object can hold

    int code;

    explicit tTrcError(int errorCode) noexcept : code(errorCode) {}

    const char* what() const noexcept override {
        return code == MissingObject ? "Ошибка построения трасс (-1): отсутствует объект"
                                     : "Ошибка построения трасс (0): недопустимое значение";
    }
};
