#include "codegen/SkeletonHeaderReader.h"

namespace orven::codegen {

namespace {
bool blankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::string declarationStart(std::string_view method) {
    std::string s = " ";
    s += method;
    s += " (";
    return s;
}
}  // namespace

std::string trimControlAndBlank(std::string_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && blankOrControl(text[b]))
        ++b;
    while (e > b && blankOrControl(text[e - 1]))
        --e;
    return std::string(text.substr(b, e - b));
}

std::string methodArguments(std::string_view headerText, std::string_view skeletonBase,
                            std::string_view method) {
    std::string base(skeletonBase);
    if (headerText.empty()) {
        return " /* IDL file not compiled. Consult the " + base +
               ".h file for knowing the CORBA parameters of this method */ ";
    }
    std::string result =
        " /* Parameters not found in IDL file compilation. Consult " + base + ".h file */ ";
    std::size_t at = headerText.find(declarationStart(method));
    if (at == std::string_view::npos)
        return result;
    std::size_t open = headerText.find('(', at);
    if (open == std::string_view::npos)
        return result;
    std::size_t close = headerText.find(')', open + 1);
    if (close == std::string_view::npos)
        return result;
    return trimControlAndBlank(headerText.substr(open + 1, close - open - 1));
}

std::string methodExceptions(std::string_view headerText, std::string_view skeletonBase,
                             std::string_view method) {
    std::string base(skeletonBase);
    if (headerText.empty()) {
        return " /* IDL file not compiled. Consult the " + base +
               ".h file for knowing the CORBA exception raising list of this method */ ";
    }
    std::string result = " /* Exception raising list not found in IDL file compilation. Consult " +
                         base + ".h file */ ";
    std::size_t at = headerText.find(declarationStart(method));
    if (at == std::string_view::npos)
        return result;
    std::size_t close = headerText.find(')', at);
    if (close == std::string_view::npos)
        return result;
    std::size_t semicolon = headerText.find(';', close + 1);
    if (semicolon == std::string_view::npos)
        return result;
    std::string_view spec = headerText.substr(close + 1, semicolon - close - 1);
    // A pure virtual declaration ends with "= 0": that part is dropped.
    std::size_t zero = spec.rfind('0');
    if (zero != std::string_view::npos) {
        std::size_t equals = spec.rfind('=', zero);
        if (equals != std::string_view::npos)
            spec = spec.substr(0, equals);
    }
    return trimControlAndBlank(spec) + ";";
}

}  // namespace orven::codegen
