// Helpers of the end-to-end tests: two modules built in code (a camera that
// produces signals, and a robot arm that uses every kind of service and
// depends on the camera) and a way to run a command line in a directory.
#pragma once

#include <memory>
#include <string>

#include "model/OxaModule.h"

namespace orven::test {

// Runs a command line through the shell in a directory; its exit code, the
// standard output and error in the file log.
int runIn(const std::string& directory, const std::string& command, const std::string& log);

// A module that produces a beta event and a notification and offers two
// services.
std::unique_ptr<orven::model::OxaModule> cameraModule();

// A module with every kind of service, dependencies on Camera, code using
// atoms, public definitions and an external include file "pulse.h" written
// into the directory sources.
std::unique_ptr<orven::model::OxaModule> armModule(const std::string& sources);

}  // namespace orven::test
