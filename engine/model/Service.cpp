#include "model/Service.h"

#include "model/TextRules.h"

namespace orven::model {

Service::Service(std::string name, std::string description)
    : LinkedObject(std::move(name), std::move(description)) {}

Service::~Service() = default;

bool Service::setType(int type) {
    if (type < kRegularService || type > kNotificationHandler)
        return false;
    type_ = type;
    return true;
}

bool Service::setCharacteristics(std::uint32_t flags) {
    if ((flags & kUnprioritized) && (flags & kPrioritized))
        return false;
    if (type_ != kRegularService && (flags & (kMonitor | kPermanent)))
        return false;
    if (type_ != kRegularService || (flags & kMonitor)) {
        characteristics_ = flags;
        return true;
    }
    if (flags & (kUnprioritized | kPrioritized))
        return false;
    characteristics_ = flags;
    return true;
}

int Service::priorityType() const {
    if (type_ == kRegularService && !(characteristics_ & kMonitor))
        return kNoPriority;
    if (characteristics_ & kUnprioritized)
        return kLowestPriority;
    if (characteristics_ & kPrioritized)
        return kHighestPriority;
    return kRelativePriority;
}

bool Service::setRelativePriority(int priority) {
    if (priorityType() == kNoPriority)
        return false;
    relativePriority_ = priority;
    return true;
}

bool Service::eventHandlerCode(std::string& code) const {
    if (type_ != kBetaEventHandler && type_ != kNotificationHandler)
        return false;
    code = eventHandlerCode_;
    return true;
}

bool Service::setEventHandlerCode(std::string code) {
    if (type_ != kBetaEventHandler && type_ != kNotificationHandler)
        return false;
    if (!isRawText(code) || code.find_first_of("()[]{}") != std::string::npos)
        return false;
    eventHandlerCode_ = std::move(code);
    return true;
}

bool Service::eventGeneratorModule(std::string& module) const {
    if (type_ != kBetaEventHandler)
        return false;
    module = eventGeneratorModule_;
    return true;
}

bool Service::setEventGeneratorModule(std::string module) {
    if (type_ != kBetaEventHandler || !isRawText(module))
        return false;
    eventGeneratorModule_ = std::move(module);
    return true;
}

const CodeSection* Service::section(int selector) const {
    switch (selector) {
        case static_cast<int>(ServiceSection::ServerCode):
            return &serverCode_;
        case static_cast<int>(ServiceSection::InputData):
            return &inputData_;
        case static_cast<int>(ServiceSection::OutputData):
            return &outputData_;
        default:
            return nullptr;
    }
}

CodeSection* Service::section(int selector) {
    return const_cast<CodeSection*>(static_cast<const Service*>(this)->section(selector));
}

}  // namespace orven::model
