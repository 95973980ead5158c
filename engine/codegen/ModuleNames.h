// Names derived from a module for the files and classes a generation run
// writes, and the service kinds the stages tell apart.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace orven::model {
class GroupOfServices;
class OxaModule;
class Service;
}  // namespace orven::model

namespace orven::codegen {

// "OXA_" + the identifier form of the module name: the stem of every
// generated file name.
std::string moduleBaseName(std::string_view moduleName);
// The implementation (servant) name: moduleBaseName + "_i".
std::string implementationName(std::string_view moduleName);
// The client header stem of a module's IDL compilation: "OXA_" + D + "C"
// for the identifier D of a module name.
std::string clientHeaderStem(std::string_view moduleName);

// Handlers: beta-event and notification handlers.
bool isHandler(const model::Service& service);
// Monitors: regular services with MONITOR.
bool isMonitor(const model::Service& service);
// Regular services without MONITOR: the callable services.
bool isCallable(const model::Service& service);

// One service met by walkServices.
struct ServiceVisit {
    const model::GroupOfServices& group;
    std::size_t groupPosition;  // g: the group's position in the module
    const model::Service& service;
    std::size_t servicePosition;  // s: the service's position in its group
    std::size_t runningIndex;     // k: services met before this one
};

// Walks the groups in name order and the services of each in name order.
// visit returns false (with its message in error) to end the walk. False
// also when a group or service cannot be reached ("Group of services not
// found", "Service not found").
bool walkServices(const model::OxaModule& module, std::string& error,
                  const std::function<bool(const ServiceVisit&)>& visit);

}  // namespace orven::codegen
