#include "codegen/SkeletonHeaderReader.h"

namespace orven::codegen {

namespace {
bool blankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

bool identifierChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool isIdentifier(std::string_view s) {
    for (char c : s) {
        if (!identifierChar(c))
            return false;
    }
    return true;
}

std::string declarationStart(std::string_view method) {
    std::string s = " ";
    s += method;
    s += " (";
    return s;
}

std::string argumentsAt(std::string_view headerText, std::string_view base, std::size_t at) {
    std::string result = " /* Parameters not found in IDL file compilation. Consult " +
                         std::string(base) + ".h file */ ";
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

std::string exceptionsAt(std::string_view headerText, std::string_view base, std::size_t at) {
    std::string result = " /* Exception raising list not found in IDL file compilation. Consult " +
                         std::string(base) + ".h file */ ";
    if (at == std::string_view::npos)
        return result;
    std::size_t close = headerText.find(')', at);
    if (close == std::string_view::npos)
        return result;
    std::size_t semicolon = headerText.find(';', close + 1);
    if (semicolon == std::string_view::npos)
        return result;
    std::string_view raising = headerText.substr(close + 1, semicolon - close - 1);
    // A pure virtual declaration ends with "= 0": that part is dropped.
    std::size_t zero = raising.rfind('0');
    if (zero != std::string_view::npos) {
        std::size_t equals = raising.rfind('=', zero);
        if (equals != std::string_view::npos)
            raising = raising.substr(0, equals);
    }
    return trimControlAndBlank(raising) + ";";
}

std::string notCompiledArguments(std::string_view base) {
    return " /* IDL file not compiled. Consult the " + std::string(base) +
           ".h file for knowing the CORBA parameters of this method */ ";
}

std::string notCompiledExceptions(std::string_view base) {
    return " /* IDL file not compiled. Consult the " + std::string(base) +
           ".h file for knowing the CORBA exception raising list of this method */ ";
}
}  // namespace

SkeletonHeaderIndex::SkeletonHeaderIndex(std::string_view headerText) : text_(headerText) {
    // Every " (" closes a candidate: the identifier before it, when a blank
    // precedes that identifier.
    for (std::size_t q = text_.find(" ("); q != std::string_view::npos;
         q = text_.find(" (", q + 1)) {
        std::size_t s = q;
        while (s > 0 && identifierChar(text_[s - 1]))
            --s;
        if (s == 0 || text_[s - 1] != ' ')
            continue;
        first_.emplace(text_.substr(s, q - s), s - 1);
    }
}

std::size_t SkeletonHeaderIndex::find(std::string_view method) const {
    if (!isIdentifier(method))
        return text_.find(declarationStart(method));
    auto it = first_.find(method);
    return it == first_.end() ? std::string_view::npos : it->second;
}

std::string methodArguments(const SkeletonHeaderIndex& header, std::string_view skeletonBase,
                            std::string_view method) {
    if (header.text().empty())
        return notCompiledArguments(skeletonBase);
    return argumentsAt(header.text(), skeletonBase, header.find(method));
}

std::string methodExceptions(const SkeletonHeaderIndex& header, std::string_view skeletonBase,
                             std::string_view method) {
    if (header.text().empty())
        return notCompiledExceptions(skeletonBase);
    return exceptionsAt(header.text(), skeletonBase, header.find(method));
}

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
    if (headerText.empty())
        return notCompiledArguments(skeletonBase);
    return argumentsAt(headerText, skeletonBase, headerText.find(declarationStart(method)));
}

std::string methodExceptions(std::string_view headerText, std::string_view skeletonBase,
                             std::string_view method) {
    if (headerText.empty())
        return notCompiledExceptions(skeletonBase);
    return exceptionsAt(headerText, skeletonBase, headerText.find(declarationStart(method)));
}

}  // namespace orven::codegen
