#include "codegen/SupportCopyStages.h"

#include "platform/Platform.h"

namespace orven::codegen {

std::string withFailureDigit(std::string message, int code) {
    if (!message.empty() && code >= 0 && code <= 9)
        message[0] = static_cast<char>('0' + code);
    return message;
}

bool AceTaoCopyStage::run(std::string& error) {
    int code = platform::copyTree(context_.resource(kAceTaoTree), context_.outputDirectory);
    context_.returnToEngineDirectory();
    if (code == 0)
        return true;
    std::string message = "  Error copying ACE+TAO from [./";
    message += kResourceDirectory;
    message += kAceTaoTree;
    message += "] to [" + context_.outputDirectory + "]";
    error = withFailureDigit(std::move(message), code);
    return false;
}

bool VoxlCopyStage::run(std::string& error) {
    int code = platform::copyTree(context_.resource(kVoxlTree), context_.outputDirectory);
    context_.returnToEngineDirectory();
    if (code == 0)
        return true;
    error = withFailureDigit("  Error copying VOXL files to destination directory", code);
    return false;
}

}  // namespace orven::codegen
