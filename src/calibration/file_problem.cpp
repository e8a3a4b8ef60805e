#include "file_problem.h"

namespace calibration {

std::string file_problem_message(std::string_view file_name, const FileProblem& problem) {
    std::string text(file_name);
    if (!problem.where.empty()) text.append(", ").append(problem.where);
    text.append(": ").append(problem.what);
    if (!problem.remedy.empty()) text.append(". ").append(problem.remedy);
    return text;
}

std::string out_of_range(std::string_view field, std::string_view value, std::int32_t min, std::int32_t max) {
    return std::string(field) + " " + std::string(value) + " вне диапазона " + std::to_string(min) + "...." +
           std::to_string(max);
}

}  // namespace calibration
