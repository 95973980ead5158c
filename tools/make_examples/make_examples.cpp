// Writes the example module files through the engine's exports:
//   make_examples DATA_DIR EXAMPLES_DIR
// DATA_DIR holds nonportable.cps; the module files and the sources of their
// external files are written into EXAMPLES_DIR (sources/...), and every
// module file is loaded back as a check.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "orven.h"

namespace {

// Every external file gets this modification time, so that the module
// files come out the same on every run.
constexpr long kFileTime = 1199145600;  // Tue Jan 01 00:00:00 2008 UTC

int failures = 0;

void check(int result, const char* what) {
    if (result != 1) {
        std::fprintf(stderr, "make_examples: %s failed\n", what);
        ++failures;
    }
}

void writeSource(const std::string& dir, const std::string& name, const std::string& text) {
    ::mkdir("sources", 0777);
    ::mkdir(dir.c_str(), 0777);
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    struct utimbuf t {};
    t.actime = t.modtime = kFileTime;
    ::utime(path.c_str(), &t);
}

// Position of a component in its general platform's list, from the
// components file (the catalogue keeps the file's order).
int componentPosition(const std::string& componentsFile, const std::string& identifier) {
    std::ifstream in(componentsFile);
    std::string line;
    int position = 0;
    while (std::getline(in, line)) {
        if (line.empty())
            break;
        if (line[0] != identifier[0])
            continue;
        if (line.compare(0, identifier.size() + 1, identifier + ",") == 0)
            return position;
        ++position;
    }
    return -1;
}

void service(const char* group, const char* name, const char* description, int type,
             const char* chars, const char* input, const char* output, const char* code) {
    check(CreateOXAService(group, name, description), name);
    ChangeOXAServiceType(group, name, type);
    check(ChangeOXAServiceChars(group, name, chars), name);
    ChangeOXAServiceInputData(group, name, input);
    ChangeOXAServiceOutputData(group, name, output);
    ChangeOXAServiceServerCode(group, name, code);
}

void timeOf(int selector, const char* group, const char* name, float minimum, float maximum) {
    const float pair[2] = {minimum, maximum};
    check(SetTimeRestrictionService(selector, group, name, pair), name);
}

void saveAndCheck(const char* file) {
    check(SaveOXAModule(file), file);
    char error[256];
    if (LoadOXAModule(file, sizeof error, error) != 1) {
        std::fprintf(stderr, "make_examples: %s does not load: %s\n", file, error);
        ++failures;
    }
}

void clockModule() {
    check(CreateNewOXAModule("Clock", "Gives the tick count of the cell to other modules"),
          "Clock");
    check(AddNewGroupOfServices("Time", "Ticks counted since the clock started"), "Time");
    service("Time", "tick", "Returns the number of ticks since the start", 0, "*     ", "",
            "unsigned long ticks", "ticks = tickCount;\n");
    service("Time", "advance", "Counts one tick every time its loop runs", 0, " *  * ", "", "",
            "#TPX-INCLUDE(rt-suspend,'0','10000','','one tick every 10 ms')#\n"
            "tickCount = tickCount + 1;\n");
    ChangeOXAModuleGlobalData("unsigned long tickCount;\n");
    ChangeOXAModuleStartupCode("tickCount = 0;\n");
    check(SetOXAModuleCodificationLanguage(0), "language");
    check(SetOXAModuleGeneralInfo("1.0", "Tue Jan 01 09:00:00 2008", "A. Author", "", ""),
          "general information");
    saveAndCheck("clock.oxa");
}

void counter() {
    writeSource("sources/counter", "pulse.h",
                "// Limits of the pulse counter.\n#define PULSE_MAX 1000\n");
    check(CreateNewOXAModule("Counter", "Counts pulses"), "Counter");
    check(AddNewGroupOfServices("Main", "Basic services"), "Main");
    service("Main", "reset", "Sets to zero", 0, "*     ", "", "", "n = 0;");
    timeOf(0, "Main", "reset", 0.5f, 2.0f);
    ChangeOXAModulePriority(3);
    check(ChangeExternalDataEntry(1, 0, "sources/counter", "pulse.h"), "pulse.h");
    ChangeOXAModuleGlobalData("long n;");
    ChangeOXAModuleStartupCode("n = 0;");
    check(SetOXAModuleCodificationLanguage(0), "language");
    check(SelectNewComponent(1, 0), "E0000");
    const float any[2] = {-1.0f, -1.0f};
    check(AddModuleDependency("Clock", "tick", any), "dependency");
    check(AddNewDefinedSignal("overflow", "E", "17"), "signal");
    check(SetOXAModuleGeneralInfo("1.0", "Tue Jan 01 10:00:00 2008", "A. Author", "", ""),
          "general information");
    saveAndCheck("counter.oxa");
}

void camera(int e0000, int c0006, int h0005) {
    writeSource("sources/camera", "camera_types.h",
                "// Types shared by the camera and its clients.\n"
                "#ifndef CAMERA_TYPES_H\n#define CAMERA_TYPES_H\n"
                "struct FrameHeader {\n    unsigned long sequence;\n    unsigned int width;\n"
                "    unsigned int height;\n    double exposure;\n};\n#endif\n");
    writeSource("sources/camera", "frame_buffer.cpp",
                "// A ring of frame buffers.\n#include <vector>\n\n"
                "std::vector<unsigned char> frameRing[4];\nint frameRingHead = 0;\n\n"
                "unsigned char* nextFrameBuffer(unsigned int bytes) {\n"
                "    frameRingHead = (frameRingHead + 1) % 4;\n"
                "    frameRing[frameRingHead].resize(bytes);\n"
                "    return frameRing[frameRingHead].data();\n}\n");
    writeSource("sources/camera", "camera.cfg",
                "# Camera settings read at start-up\nwidth=640\nheight=480\nexposure=0.004\n");

    check(CreateNewOXAModule("Camera", "Grabs frames of the work cell camera for other modules"),
          "Camera");
    check(AddNewGroupOfServices("Acquisition", "Frames taken from the camera and handed on"),
          "Acquisition");
    check(AddNewGroupOfServices("Control", "Settings of the camera while it runs on"), "Control");
    service("Acquisition", "grabFrame", "Takes one frame and returns its sequence number", 0,
            "*     ", "double timeout", "unsigned long frameNumber",
            "frameNumber = 0;\n"
            "if (timeout > 0.0) {\n"
            "    frameNumber = ++frameCount;\n"
            "    lastExposure = exposure;\n"
            "}\n");
    timeOf(0, "Acquisition", "grabFrame", 0.01f, 0.04f);
    service("Acquisition", "streamFrames", "Grabs frames for ever and tells when one is ready", 0,
            " *  * ", "", "",
            "#TPX-INCLUDE(rt-suspend,'0','40000','','one frame every 40 ms')#\n"
            "++frameCount;\n"
            "if (frameCount % 2 == 0) {\n"
            "    framesInStream = framesInStream + 1;\n"
            "}\n");
    service("Control", "setExposure", "Changes the exposure time used for new frames", 0, "  *   ",
            "double seconds", "boolean accepted",
            "accepted = seconds > 0.0 && seconds < 1.0;\n"
            "if (accepted) {\n"
            "    exposure = seconds;\n"
            "}\n");
    check(ChangeOXAServiceRelPrio("Acquisition", "streamFrames", 5), "relative priority");
    service("Control", "onCameraFault", "Handles a fault notification of the camera itself", 2,
            "    * ", "", "",
            "faultCount = faultCount + 1;\n"
            "exposure = 0.004;\n");
    check(SetOXAServiceEventHandlerCode("Control", "onCameraFault", "cameraFault"), "handler code");
    ChangeOXAModulePriority(10);
    ChangeOXAModuleGlobalData(
        "unsigned long frameCount;\nunsigned long framesInStream;\ndouble exposure;\n"
        "double lastExposure;\nint faultCount;\n");
    ChangeOXAModuleGlobalCode(
        "static double clampExposure(double seconds) {\n"
        "    return seconds < 0.0001 ? 0.0001 : (seconds > 0.5 ? 0.5 : seconds);\n}\n");
    ChangeOXAModulePreDefinitions("typedef unsigned long FrameSequence;\n");
    ChangeOXAModuleStartupCode(
        "frameCount = 0;\nframesInStream = 0;\nexposure = clampExposure(0.004);\n"
        "lastExposure = exposure;\nfaultCount = 0;\n");
    ChangeOXAModulePreEndingCode("framesInStream = 0;\n");
    ChangeOXAModulePostEndingCode("frameCount = 0;\n");
    const float startup[2] = {0.0f, 1.5f};
    check(SetTimeRestriction(3, startup), "startup time");
    check(SetOXAModuleCodificationLanguage(0), "language");
    check(SelectNewComponent(1, e0000), "E0000");
    check(SelectNewComponent(4, c0006), "C0006");
    check(SelectNewComponent(0, h0005), "H0005");
    check(AddNewDefinedSignal("frameReady", "E", "1"), "frameReady");
    check(AddNewDefinedSignal("cameraFault", "N", "2"), "cameraFault");
    check(ChangeExternalDataEntry(0, 0, "sources/camera", "camera_types.h"), "camera_types.h");
    check(ChangeExternalDataEntry(1, 0, "sources/camera", "frame_buffer.cpp"), "frame_buffer");
    check(ChangeExternalDataEntry(3, 0, "sources/camera", "camera.cfg"), "camera.cfg");
    check(SetOXAModuleGeneralInfo("2.1", "Mon Mar 03 09:30:00 2008", "Vision group",
                                  "The camera driver of the work cell",
                                  "Frames are numbered from 1 after every start."),
          "general information");
    saveAndCheck("camera.oxa");
}

void robotArm(int e0000, int c0006) {
    writeSource("sources/arm", "arm_geometry.h",
                "// Geometry of the six-axis arm.\n#ifndef ARM_GEOMETRY_H\n#define ARM_GEOMETRY_H\n"
                "const int kAxes = 6;\nconst double kJointLimit[kAxes] = "
                "{3.1, 2.2, 2.6, 3.1, 2.1, 6.2};\n#endif\n");
    writeSource("sources/arm", "trajectory.cpp",
                "// Linear interpolation between two joint positions.\n"
                "void interpolate(const double* from, const double* to, double share,\n"
                "                 double* out, int axes) {\n"
                "    for (int i = 0; i < axes; ++i)\n"
                "        out[i] = from[i] + (to[i] - from[i]) * share;\n}\n");
    writeSource("sources/arm", "servo_gains.txt", "kp 12.5\nkd 0.8\nlimit 40\n");

    check(CreateNewOXAModule("Robot Arm",
                             "Moves the six-axis arm of the cell and keeps its servos closed"),
          "Robot Arm");
    check(AddNewGroupOfServices("Motion", "Commands that move the arm to new places"), "Motion");
    check(AddNewGroupOfServices("Servo", "The closed loop of the servos and its faults"), "Servo");
    check(AddNewGroupOfServices("Vision", "Reactions to the frames of the camera module"),
          "Vision");
    service("Motion", "moveTo", "Moves every joint to the target position given", 0, "  *   ",
            "JointVector target\ndouble speed", "boolean reached",
            "reached = false;\n"
            "for (int i = 0; i < kAxes; ++i) {\n"
            "    double limit = kJointLimit[i];\n"
            "    goal[i] = target[i] > limit ? limit : (target[i] < -limit ? -limit : target[i]);\n"
            "}\n"
            "moveSpeed = speed;\n"
            "reached = withinLimits(goal);\n");
    timeOf(0, "Motion", "moveTo", 0.1f, 5.0f);
    timeOf(1, "Motion", "moveTo", 0.0f, 0.01f);
    service("Motion", "currentPosition", "Returns the joint positions the arm has now", 0, "*     ",
            "", "JointVector position",
            "for (int i = 0; i < kAxes; ++i) {\n    position[i] = joint[i];\n}\n");
    service("Servo", "servoLoop", "Closes the servo loop of every joint at a fixed rate", 0,
            " * * *", "", "",
            "for (int i = 0; i < kAxes; ++i) {\n"
            "    double error = goal[i] - joint[i];\n"
            "    double command = kp * error + kd * (error - lastError[i]);\n"
            "    if (command > 40.0 || command < -40.0) {\n"
            "        overloads = overloads + 1;\n"
            "    }\n"
            "    lastError[i] = error;\n"
            "    joint[i] = joint[i] + command * 0.001 * moveSpeed;\n"
            "}\n"
            "#TPX-INCLUDE(rt-suspend,'0','1000','','servo period of 1 ms')#\n");
    timeOf(0, "Servo", "servoLoop", 0.0005f, 0.001f);
    service("Servo", "watchTemperature", "Checks the motor temperatures once in a while", 0,
            " *    ", "", "",
            "for (int i = 0; i < kAxes; ++i) {\n"
            "    if (temperature[i] > 80.0) {\n        overloads = overloads + 1;\n    }\n}\n");
    check(ChangeOXAServiceRelPrio("Servo", "watchTemperature", 4), "relative priority");
    service("Servo", "onOverload", "Handles the overload notification of the servo loop", 2,
            "    * ", "", "",
            "moveSpeed = 0.0;\n"
            "for (int i = 0; i < kAxes; ++i) {\n    goal[i] = joint[i];\n}\n");
    check(SetOXAServiceEventHandlerCode("Servo", "onOverload", "overload"), "handler code");
    service("Vision", "onFrameReady", "Takes the newest frame of the camera into account", 1,
            "  *   ", "", "",
            "framesSeen = framesSeen + 1;\n"
            "if (framesSeen % 10 == 0) {\n    moveSpeed = moveSpeed * 0.9;\n}\n");
    check(SetOXAServiceEventHandlerCode("Vision", "onFrameReady", "frameReady"), "handler code");
    check(SetOXAServiceEventGeneratorModule("Vision", "onFrameReady", "Camera"), "generator");
    check(ChangeOXAServiceRelPrio("Vision", "onFrameReady", 2), "relative priority");

    ChangeOXAModulePriority(20);
    ChangeOXAModulePreDefinitions(
        "typedef double JointVector[6];\nstruct JointState {\n    JointVector angle;\n    "
        "JointVector speed;\n};\n");
    ChangeOXAModuleGlobalData(
        "double joint[6];\ndouble goal[6];\ndouble lastError[6];\ndouble temperature[6];\n"
        "double moveSpeed;\ndouble kp;\ndouble kd;\nint overloads;\nunsigned long framesSeen;\n");
    ChangeOXAModuleGlobalCode(
        "static bool withinLimits(const double* position) {\n"
        "    for (int i = 0; i < kAxes; ++i) {\n"
        "        if (position[i] > kJointLimit[i] || position[i] < -kJointLimit[i])\n"
        "            return false;\n"
        "    }\n"
        "    return true;\n}\n");
    ChangeOXAModuleStartupCode(
        "for (int i = 0; i < kAxes; ++i) {\n"
        "    joint[i] = 0.0;\n    goal[i] = 0.0;\n    lastError[i] = 0.0;\n"
        "    temperature[i] = 20.0;\n}\n"
        "moveSpeed = 1.0;\nkp = 12.5;\nkd = 0.8;\noverloads = 0;\nframesSeen = 0;\n");
    ChangeOXAModulePreEndingCode("moveSpeed = 0.0;\n");
    ChangeOXAModulePostEndingCode(
        "for (int i = 0; i < kAxes; ++i) {\n    goal[i] = joint[i];\n}\n");
    const float ending[2] = {0.0f, 2.0f};
    check(SetTimeRestriction(4, ending), "pre-ending time");
    check(SetOXAModuleCodificationLanguage(0), "language");
    check(SelectNewComponent(1, e0000), "E0000");
    check(SelectNewComponent(4, c0006), "C0006");
    check(AddNewDefinedSignal("overload", "N", "1"), "overload");
    check(AddNewDefinedSignal("targetReached", "E", "2"), "targetReached");
    const float grab[2] = {0.01f, 0.04f};
    check(AddModuleDependency("Camera", "grabFrame", grab), "dependency");
    const float exposure[2] = {-1.0f, -1.0f};
    check(AddModuleDependency("Camera", "setExposure", exposure), "dependency");
    check(AddModuleDependency("Camera", "", exposure), "dependency");
    check(ChangeExternalDataEntry(0, 0, "sources/arm", "arm_geometry.h"), "arm_geometry.h");
    check(ChangeExternalDataEntry(1, 0, "sources/arm", "trajectory.cpp"), "trajectory.cpp");
    check(ChangeExternalDataEntry(3, 0, "sources/arm", "servo_gains.txt"), "servo_gains.txt");
    check(SetOXAModuleGeneralInfo("1.4", "Wed Apr 02 14:00:00 2008", "Motion group", "Camera 2.1",
                                  "The servo loop runs at the highest priority; frames of the "
                                  "camera slow the arm down while it moves."),
          "general information");
    saveAndCheck("robot_arm.oxa");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_examples DATA_DIR EXAMPLES_DIR\n");
        return 2;
    }
    // Dates are written in local time; the examples use UTC.
    ::setenv("TZ", "UTC", 1);
    char externals[] = "/tmp/orven-examples-XXXXXX";
    if (::mkdtemp(externals) == nullptr || ::chdir(argv[1]) != 0) {
        std::fprintf(stderr, "make_examples: cannot prepare the directories\n");
        return 1;
    }
    char error[256];
    if (InitializeOrvenInterface(externals, nullptr, error, sizeof error) != 1) {
        std::fprintf(stderr, "make_examples: %s\n", error);
        return 1;
    }
    const std::string components = std::string(argv[1]) + "/nonportable.cps";
    const int e0000 = componentPosition(components, "E0000");
    const int c0006 = componentPosition(components, "C0006");
    const int h0005 = componentPosition(components, "H0005");
    if (::chdir(argv[2]) != 0) {
        std::fprintf(stderr, "make_examples: cannot enter %s\n", argv[2]);
        return 1;
    }
    clockModule();
    counter();
    camera(e0000, c0006, h0005);
    robotArm(e0000, c0006);
    FinalizeOrvenInterface();
    ::rmdir(externals);
    return failures == 0 ? 0 : 1;
}
