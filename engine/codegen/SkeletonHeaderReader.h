// Readers of the skeleton header that the IDL compiler writes: they find a
// method's declaration by name and take its C++ parameter list and its
// exception raising list, so that the servant declares the methods exactly
// as its skeleton base does. Both always produce a text; when the header is
// empty (IDL not compiled) or the method is not found they produce a comment
// that points at the header file.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace orven::codegen {

// headerText: the whole skeleton header, empty when the IDL was not
// compiled; skeletonBase: its base name (used only in the comments);
// method: the method's identifier.
std::string methodArguments(std::string_view headerText, std::string_view skeletonBase,
                            std::string_view method);
std::string methodExceptions(std::string_view headerText, std::string_view skeletonBase,
                             std::string_view method);

// Where each method's declaration starts in a header text, found in one pass
// so that a header of n methods is read in time linear in its size rather
// than once per method.
class SkeletonHeaderIndex {
  public:
    // The text must outlive the index.
    explicit SkeletonHeaderIndex(std::string_view headerText);
    // Position of the first " " + method + " (" in the text; npos when none.
    std::size_t find(std::string_view method) const;
    std::string_view text() const { return text_; }

  private:
    std::string_view text_;
    // First declaration of every identifier that stands between a blank
    // and " (".
    std::unordered_map<std::string_view, std::size_t> first_;
};

// The same readers on an indexed header.
std::string methodArguments(const SkeletonHeaderIndex& header, std::string_view skeletonBase,
                            std::string_view method);
std::string methodExceptions(const SkeletonHeaderIndex& header, std::string_view skeletonBase,
                             std::string_view method);

// Removes every character of code 32 or less from both ends.
std::string trimControlAndBlank(std::string_view text);

}  // namespace orven::codegen
