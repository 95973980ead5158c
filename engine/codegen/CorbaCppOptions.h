// The CORBA C++ generator's default options and its prediction of the
// options that fit a kind of change the designer made.
#pragma once

#include "codegen/GenerationOptions.h"

namespace orven::codegen {

// Every stage on, StopOnIdlError and WithMfc off.
GenerationOptions corbaCppDefaultOptions();

// Kinds 0 to 6; false, options unchanged, for
// any other kind. Only ever sets flags, except kind 0, which first clears
// every flag but WithMfc and WithVoxl.
bool predictCorbaCppOptions(int changeKind, GenerationOptions& options);

}  // namespace orven::codegen
