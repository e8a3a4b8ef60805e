#include "file_problem.h"

namespace calibration {

protocol::Text out_of_range(const FileField& field, std::string value) {
    return file_text(field.out_of_range, {std::move(value), static_cast<long long>(field.min), static_cast<long long>(field.max)});
}

FileProblem field_problem(const std::string& path, protocol::Text what) {
    return {file_text(QT_TRANSLATE_NOOP("TableFile", "поле «%1»"), {path}), std::move(what)};
}

}  // namespace calibration
