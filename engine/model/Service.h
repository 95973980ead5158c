// A service of a module: the unit of work it offers, or a handler of a
// signal. It lives in a group of services.
#pragma once

#include <cstdint>
#include <string>

#include "model/CodeSection.h"
#include "model/DesignObject.h"

namespace orven::model {

enum ServiceType : int {
    kRegularService = 0,
    kBetaEventHandler = 1,
    kNotificationHandler = 2,
};

// Characteristic flags; the module file writes the letters R M D P U Z.
enum ServiceCharacteristic : std::uint32_t {
    kReentrant = 1,
    kMonitor = 2,
    kModifier = 4,
    kPermanent = 8,
    kUnprioritized = 16,
    kPrioritized = 32,
};

// Priority type, derived from the type and the flags.
enum ServicePriorityType : int {
    kLowestPriority = 1,
    kHighestPriority = 2,
    kNoPriority = 3,
    kRelativePriority = 4,
};

// Selectors of a service's three code sections.
enum class ServiceSection : int {
    ServerCode = 0,
    InputData = 1,
    OutputData = 2,
};

class Service : public LinkedObject {
  public:
    // A new service: regular, no flags, relative priority 0, empty sections,
    // event handler code "0", no event generator module.
    Service(std::string name, std::string description);
    ~Service() override;

    std::string heading() const override { return "Service: "; }
    std::string typeTag() const override { return "Srv"; }

    int type() const { return type_; }
    // Any of the three types, without further checks; the flags stay. Other
    // values are refused (false), since a module file cannot hold them.
    bool setType(int type);

    std::uint32_t characteristics() const { return characteristics_; }
    // Replaces the flags as a whole; refused (false, unchanged) when
    // UNPRIORITIZED and PRIORITIZED come together, when a handler gets
    // MONITOR or PERMANENT, or when a regular service without MONITOR gets
    // UNPRIORITIZED or PRIORITIZED.
    bool setCharacteristics(std::uint32_t flags);

    int priorityType() const;
    int relativePriority() const { return relativePriority_; }
    // Refused when the priority type is "no priority".
    bool setRelativePriority(int priority);

    // The event handler code: readable (true) only on the two handler types.
    bool eventHandlerCode(std::string& code) const;
    // The stored code whatever the type (the module-file writer needs it).
    const std::string& storedEventHandlerCode() const { return eventHandlerCode_; }
    // Only on handler types; refused for "(", ")", "[", "]", "{", "}" or a
    // line end in the code.
    bool setEventHandlerCode(std::string code);

    // The event generator module: readable (true) only on beta-event handlers.
    bool eventGeneratorModule(std::string& module) const;
    const std::string& storedEventGeneratorModule() const { return eventGeneratorModule_; }
    // Only on beta-event handlers; refused for a line end in the name.
    bool setEventGeneratorModule(std::string module);

    const CodeSection& inputData() const { return inputData_; }
    const CodeSection& outputData() const { return outputData_; }
    const CodeSection& serverCode() const { return serverCode_; }
    void setInputData(const CodeSection& section) { inputData_ = section; }
    void setOutputData(const CodeSection& section) { outputData_ = section; }
    void setServerCode(const CodeSection& section) { serverCode_ = section; }

    // A section by selector (0 server code, 1 input data, 2 output data);
    // none for another selector.
    const CodeSection* section(int selector) const;
    CodeSection* section(int selector);

  private:
    int type_ = kRegularService;
    std::uint32_t characteristics_ = 0;
    int relativePriority_ = 0;
    CodeSection inputData_;
    CodeSection outputData_;
    CodeSection serverCode_;
    std::string eventHandlerCode_ = "0";
    std::string eventGeneratorModule_;
};

}  // namespace orven::model
