#include "EndToEndModules.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "TestSupport.h"

namespace model = orven::model;

namespace orven::test {

int runIn(const std::string& directory, const std::string& command, const std::string& log) {
    std::string line = "cd '" + directory + "' && { " + command + "; } > '" + log + "' 2>&1";
    int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

namespace {
void setCpp(model::OxaModule& m) {
    m.setCodificationLanguage(
        orven::catalogues::CodificationLanguage(orven::catalogues::CodificationLanguage::kCpp));
}

model::Service& service(model::OxaModule& m, const std::string& group, const std::string& name,
                        int type, std::uint32_t flags) {
    model::GroupOfServices* g = m.findGroup(group);
    if (g == nullptr)
        g = m.addGroup(group, "The group " + group + " of services of this module");
    model::Service* s = g->addService(name, "The service " + name + " of this module");
    EXPECT_NE(s, nullptr);
    EXPECT_TRUE(s->setType(type));
    EXPECT_TRUE(s->setCharacteristics(flags));
    return *s;
}
}  // namespace

std::unique_ptr<model::OxaModule> cameraModule() {
    auto m = std::make_unique<model::OxaModule>("Camera", "The camera module", "externals");
    setCpp(*m);
    EXPECT_TRUE(m->addSignal("SEEN", model::kBetaEvent, "1"));
    EXPECT_TRUE(m->addSignal("DARK", model::kNotification, "2"));
    service(*m, "Images", "grab", 0, 0)
        .setInputData(model::CodeSection("long width\nlong height\n"));
    m->findService("Images", "grab")->setOutputData(model::CodeSection("long size"));
    m->findService("Images", "grab")
        ->setServerCode(model::CodeSection("size = width * height;\n"
                                           "#TPX-INCLUDE(output-text,Camera,'\"grabbed\"')#\n"));
    service(*m, "Images", "on dark", 2, 0).setEventHandlerCode("DARK");
    return m;
}

// A module with every kind of service, dependencies on Camera, code using
// atoms, public definitions and an external include file.
std::unique_ptr<model::OxaModule> armModule(const std::string& sources) {
    auto m = std::make_unique<model::OxaModule>("Robot Arm", "The robot arm module", "externals");
    setCpp(*m);
    EXPECT_TRUE(m->addSignal("MOVED", model::kBetaEvent, "7"));
    EXPECT_TRUE(m->addSignal("HALT", model::kNotification, "8"));
    m->setSection(model::ModuleSection::PreDefinitions,
                  model::CodeSection("typedef long Position;\nconst long MAX_SPEED = 10;\n"));
    m->setSection(model::ModuleSection::GlobalData, model::CodeSection("long position;\n"));
    m->setSection(
        model::ModuleSection::GlobalCode,
        model::CodeSection("static long clampSpeed(long s) { return s > 10 ? 10 : s; }\n"));
    m->setSection(
        model::ModuleSection::StartupCode,
        model::CodeSection("position = PULSE;\n#TPX-INCLUDE(user-log,'\"starting\"')#\n"));
    m->setSection(model::ModuleSection::PreEndingCode,
                  model::CodeSection("#TPX-INCLUDE(user-log,'\"stopping\"')#\n"));
    m->setSection(model::ModuleSection::PostEndingCode, model::CodeSection("position = 0;\n"));
    service(*m, "Motion", "move to", 0, model::kModifier)
        .setInputData(model::CodeSection("long target\nlong speed\n"));
    m->findService("Motion", "move to")->setOutputData(model::CodeSection("long reached\n"));
    m->findService("Motion", "move to")
        ->setServerCode(model::CodeSection("position = target + clampSpeed(speed) * 0;\n"
                                           "reached = position;\n"));
    service(*m, "Motion", "where", 0, model::kReentrant)
        .setOutputData(model::CodeSection("long at"));
    m->findService("Motion", "where")->setServerCode(model::CodeSection("at = position;\n"));
    service(*m, "Motion", "stop", 0, 0);
    service(*m, "Watch", "guard", 0, model::kMonitor | model::kPermanent | model::kPrioritized)
        .setServerCode(model::CodeSection("#TPX-INCLUDE(user-log,'\"guarding\"')#\n"));
    model::Service& seen = service(*m, "Watch", "on seen", 1, 0);
    EXPECT_TRUE(seen.setEventHandlerCode("SEEN"));
    EXPECT_TRUE(seen.setEventGeneratorModule("Camera"));
    service(*m, "Watch", "on halt", 2, 0).setEventHandlerCode("HALT");
    EXPECT_TRUE(m->dependencies().add(model::ModuleDependency("Camera", "grab")));
    EXPECT_TRUE(m->dependencies().add(model::ModuleDependency("Camera", "")));
    writeFile(sources + "/pulse.h", "#define PULSE 1\n");
    EXPECT_TRUE(m->externals().setExternalList(model::kExternalData,
                                               {model::ExternalEntry(sources, "pulse.h")}));
    return m;
}

}  // namespace orven::test
