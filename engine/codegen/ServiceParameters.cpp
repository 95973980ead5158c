#include "codegen/ServiceParameters.h"

namespace orven::codegen {

namespace {
std::string cleanLine(std::string_view line) {
    std::string s(line);
    for (char& c : s) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u < 32 || u >= 128)
            c = ' ';
    }
    std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return std::string();
    std::size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

void appendJoined(std::string& to, std::string_view part) {
    if (part.empty())
        return;
    if (!to.empty())
        to += ", ";
    to += part;
}
}  // namespace

std::string definitionParameters(std::string_view definition, std::string_view direction) {
    std::string result;
    std::size_t start = 0;
    while (start <= definition.size()) {
        std::size_t end = definition.find('\n', start);
        if (end == std::string_view::npos)
            end = definition.size();
        std::string line = cleanLine(definition.substr(start, end - start));
        if (!line.empty()) {
            std::string parameter(direction);
            parameter += ' ';
            parameter += line;
            appendJoined(result, parameter);
        }
        start = end + 1;
    }
    return result;
}

std::string serviceParameterList(std::string_view inputData, std::string_view outputData) {
    std::string list;
    appendJoined(list, definitionParameters(inputData, "in"));
    appendJoined(list, definitionParameters(outputData, "out"));
    if (!list.empty())
        list += ',';
    return list;
}

}  // namespace orven::codegen
