// Readers of the skeleton header that the IDL compiler writes: they find a
// method's declaration by name and take its C++ parameter list and its
// exception specification, so that the servant declares the methods exactly
// as its skeleton base does. Both always produce a text; when the header is
// empty (IDL not compiled) or the method is not found they produce a comment
// that points at the header file.
#pragma once

#include <string>
#include <string_view>

namespace orven::codegen {

// headerText: the whole skeleton header, empty when the IDL was not
// compiled; skeletonBase: its base name (used only in the comments);
// method: the method's identifier.
std::string methodArguments(std::string_view headerText, std::string_view skeletonBase,
                            std::string_view method);
std::string methodExceptions(std::string_view headerText, std::string_view skeletonBase,
                             std::string_view method);

// Removes every character of code 32 or less from both ends.
std::string trimControlAndBlank(std::string_view text);

}  // namespace orven::codegen
