// The IDL parameter list of a regular service, built from its input-data and
// output-data definitions (one declaration per line).
#pragma once

#include <string>
#include <string_view>

namespace orven::codegen {

// One definition text as parameters: every non-empty line, with control
// bytes and bytes of 128 or more turned into blanks and trimmed, becomes
// direction + " " + line; the parameters are joined with ", ".
std::string definitionParameters(std::string_view definition, std::string_view direction);

// The input parameters ("in ...") and the output parameters ("out ...")
// joined with ", "; when there is at least one parameter a final "," is
// appended, so that a script can follow it with further parameters.
std::string serviceParameterList(std::string_view inputData, std::string_view outputData);

}  // namespace orven::codegen
