/*
 * engine_walk: drives the shared library through its C interface, phase by
 * phase, the way the designer does: start, a module with groups and
 * services, code sections, service details, signals and dependencies, end.
 * argv[1] is the data directory; the walk runs in a fresh temporary
 * directory holding a copy of its components file and an "externals"
 * directory. Returns 0 when every check passes.
 */
#define _POSIX_C_SOURCE 200809L

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "orven.h"

static int failures = 0;

#define CHECK(cond)                                                                  \
    do {                                                                             \
        if (!(cond)) {                                                               \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            ++failures;                                                              \
        }                                                                            \
    } while (0)

#define CHECK_TEXT(got, expected)                                                              \
    do {                                                                                       \
        if (strcmp((got), (expected)) != 0) {                                                  \
            fprintf(stderr, "%s:%d: got \"%s\", expected \"%s\"\n", __FILE__, __LINE__, (got), \
                    (expected));                                                               \
            ++failures;                                                                        \
        }                                                                                      \
    } while (0)

static int copyFile(const char* from, const char* to) {
    FILE* in = fopen(from, "rb");
    FILE* out = NULL;
    char block[4096];
    size_t n;
    int ok = 1;
    if (in == NULL)
        return 0;
    out = fopen(to, "wb");
    if (out == NULL) {
        fclose(in);
        return 0;
    }
    while ((n = fread(block, 1, sizeof block, in)) > 0) {
        if (fwrite(block, 1, n, out) != n)
            ok = 0;
    }
    fclose(in);
    if (fclose(out) != 0)
        ok = 0;
    return ok;
}

static void phaseStart(void) {
    char error[128] = "";
    char version[8];
    CHECK(ORVENVersion(version) == 7);
    CHECK_TEXT(version, "03.800");
    CHECK(InitializeOrvenInterface("externals", NULL, error, sizeof error) == 1);
    CHECK_TEXT(error, "");
    CHECK(IsDefinedCurrentOXAModule() == 0);
    CHECK(NumberOfGroups() == 0);
}

static void phaseModule(void) {
    char buf[64];
    CHECK(CreateNewOXAModule("Bad]", "x") == 0);
    CHECK(CreateNewOXAModule("Counter", "Counts pulses\r\nof a sensor") == 1);
    CHECK(IsDefinedCurrentOXAModule() == 1);
    NameOXAModule(buf, sizeof buf);
    CHECK_TEXT(buf, "Counter");
    DescriptionOXAModule(buf, sizeof buf);
    CHECK_TEXT(buf, "Counts pulses\nof a sensor");
    CHECK(ValidateDescriptionsOXAModule(buf, sizeof buf) == 0);
    CHECK_TEXT(buf, "Description of the module");
}

static void phaseGroupsAndServices(void) {
    char buf[64];
    CHECK(AddNewGroupOfServices("beta", "b") == 1);
    CHECK(AddNewGroupOfServices("Alpha", "A") == 1);
    CHECK(AddNewGroupOfServices("alpha", "a") == 1);
    CHECK(AddNewGroupOfServices("alpha", "again") == 0);
    CHECK(AddNewGroupOfServices("x[", "") == 0);
    CHECK(NumberOfGroups() == 3);
    CHECK(GetNameOfGroupByPos(0, sizeof buf, buf) == 1);
    CHECK_TEXT(buf, "Alpha");
    CHECK(GetNameOfGroupByPos(2, sizeof buf, buf) == 1);
    CHECK_TEXT(buf, "beta");
    CHECK(GetNameOfGroupByPos(3, sizeof buf, buf) == 0);

    CHECK(CreateOXAService("alpha", "run", "r") == 1);
    CHECK(CreateOXAService("beta", "run", "r") == 1);
    CHECK(CreateOXAService("alpha", "run", "r") == 0);
    CHECK(CreateOXAService("gamma", "run", "r") == 0);
    CHECK(CreateOXAService("alpha", "reset", "sets to zero") == 1);
    CHECK(NumberOfServices("alpha") == 2);
    CHECK(GetNameOfServiceByPos("alpha", 0, sizeof buf, buf) == 1);
    CHECK_TEXT(buf, "reset");

    CHECK(ChangeNameDescriptionGroup("beta", "Alpha", "") == 0);
    CHECK(ChangeNameDescriptionGroup("beta", "Main", "Main group") == 1);
    CHECK(ExistGroupOfServices("beta") == 0);
    CHECK(ExistOXAService("Main", "run") == 1);
    CHECK(ChangeOXAServiceIDs("alpha", "run", "walk", "w") == 1);
    CHECK(DescriptionOXAService("alpha", "walk", buf, sizeof buf) == 1);
    CHECK_TEXT(buf, "w");
    CHECK(DeleteOXAService("alpha", "walk") == 1);
    CHECK(DeleteGroupOfServices("Alpha") == 1);
    CHECK(NumberOfGroups() == 2);
}

static void phaseSections(void) {
    float pair[2] = {0.5f, 2.0f};
    float got[2] = {0, 0};
    int n;
    char* text;
    ChangeOXAModuleStartupCode("n = 0;\r\nm = 1;");
    n = LengthOXAModuleData(3);
    CHECK(n == 13);
    text = malloc((size_t)n + 1);
    if (text != NULL) {
        RetrieveOXAModuleStartupCode(text, 0);
        CHECK_TEXT(text, "n = 0;\nm = 1;");
        free(text);
    }
    CHECK(SetTimeRestriction(3, pair) == 1);
    CHECK(RetrieveTimeRestriction(3, got) == 1);
    CHECK(got[0] == 0.5f && got[1] == 2.0f);
    pair[0] = 2.0f;
    pair[1] = 1.0f;
    CHECK(SetTimeRestriction(3, pair) == 1);
    CHECK(RetrieveTimeRestriction(3, got) == 1);
    CHECK(got[0] == -1.0f && got[1] == -1.0f);
    CHECK(LengthOXAModuleData(1) == 0);
    CHECK(RetrieveTimeRestriction(1, got) == 0);
    ChangeOXAModulePriority(3);
    CHECK(OXAModulePriority() == 3);
    CHECK(SetOXAModuleGeneralInfo("1.0", "today", "A. Author", "", "") == 1);
    {
        char version[4], date[32], author[48], other[8], comments[8];
        CHECK(GetOXAModuleGeneralInfo(sizeof version, version, sizeof date, date, sizeof author,
                                      author, sizeof other, other, sizeof comments, comments) == 1);
        CHECK_TEXT(version, "1.0");
        CHECK_TEXT(author, "A. Author");
    }
}

static void phaseServiceDetails(void) {
    char chars[7] = {0};
    char buf[32];
    CHECK(OXAServicePriorityType("alpha", "reset") == 3);
    CHECK(ChangeOXAServiceRelPrio("alpha", "reset", 2) == 0);
    CHECK(ChangeOXAServiceChars("alpha", "reset", "    * ") == 0);
    CHECK(ChangeOXAServiceChars("alpha", "reset", " *  * ") == 1);
    CHECK(OXAServicePriorityType("alpha", "reset") == 1);
    CHECK(OXAServiceCharacteristics("alpha", "reset", chars) == 1);
    CHECK(memcmp(chars, " *  * ", 6) == 0);
    CHECK(ChangeOXAServiceChars("alpha", "reset", " *    ") == 1);
    CHECK(ChangeOXAServiceRelPrio("alpha", "reset", 2) == 1);
    CHECK(OXAServiceRelPriority("alpha", "reset") == 2);

    CHECK(SetOXAServiceEventHandlerCode("Main", "run", "17") == 0);
    ChangeOXAServiceType("Main", "run", 1);
    CHECK(OXAServiceType("Main", "run") == 1);
    CHECK(SetOXAServiceEventHandlerCode("Main", "run", "{17") == 0);
    CHECK(SetOXAServiceEventHandlerCode("Main", "run", "17") == 1);
    CHECK(SetOXAServiceEventGeneratorModule("Main", "run", "Clock") == 1);
    CHECK(OXAServiceEventHandlerCode("Main", "run", buf, sizeof buf) == 1);
    CHECK_TEXT(buf, "17");
    CHECK(OXAServiceEventGeneratorModule("Main", "run", buf, sizeof buf) == 1);
    CHECK_TEXT(buf, "Clock");
    CHECK(ChangeOXAServiceChars("Main", "run", "   *  ") == 0);

    ChangeOXAServiceServerCode("Main", "run", "count++;");
    CHECK(LengthOXAServiceData(0, "Main", "run") == 8);
    CHECK(LengthOXAServiceData(3, "Main", "run") == 0);
    RetrieveOXAServiceServerCode("Main", "run", buf, sizeof buf);
    CHECK_TEXT(buf, "count++;");
    CHECK(OXAServiceType("Main", "missing") == -1);
}

static void phaseSignalsAndDependencies(void) {
    char name[32], code[32], kind = 0;
    char module[32], service[32];
    float pair[2] = {-1.0f, -1.0f};
    float refused[2] = {3.0f, 1.0f};
    CHECK(AddNewDefinedSignal("zeta", "E", "17") == 1);
    CHECK(AddNewDefinedSignal("alpha", "N", "17") == 1);
    CHECK(AddNewDefinedSignal("other", "E", "17") == 0);
    CHECK(AddNewDefinedSignal("x", "X", "1") == 0);
    CHECK(AddNewDefinedSignal("x", "E", "a)") == 0);
    CHECK(NumberOfDefinedSignals() == 2);
    CHECK(ReadDefinedSignal(0, name, sizeof name, &kind, code, sizeof code) == 1);
    CHECK_TEXT(name, "alpha");
    CHECK(kind == 'N');
    CHECK(ReadDefinedSignal(2, name, sizeof name, &kind, code, sizeof code) == 0);
    CHECK(RemoveDefinedSignal(0) == 1);
    CHECK(NumberOfDefinedSignals() == 1);

    CHECK(AddModuleDependency("Clock", "tick", pair) == 1);
    CHECK(AddModuleDependency("Clock", "tick", pair) == 0);
    CHECK(AddModuleDependency("Clock", "tock", refused) == 1);
    CHECK(GetNumberOfModuleDependencies() == 2);
    CHECK(ExistsModuleDependency("Clock", "tock") == 1);
    CHECK(ReadModuleDependency(1, module, service, sizeof module, sizeof service, pair) == 1);
    CHECK_TEXT(module, "Clock");
    CHECK_TEXT(service, "tock");
    CHECK(pair[0] == -1.0f && pair[1] == -1.0f);
    CHECK(RemoveModuleDependency(0) == 1);
    CHECK(RemoveModuleDependency(5) == 0);
    CHECK(GetNumberOfModuleDependencies() == 1);
}

static void phaseEnd(void) {
    CHECK(FinalizeOrvenInterface() == 1);
    CHECK(IsDefinedCurrentOXAModule() == 0);
    CHECK(NumberOfGroups() == 0);
}

int main(int argc, char** argv) {
    char dir[] = "/tmp/orven-walk-XXXXXX";
    char source[4096];
    char target[64];
    char previous[4096];
    if (argc < 2) {
        fprintf(stderr, "usage: engine_walk DATA_DIRECTORY\n");
        return 2;
    }
    if (getcwd(previous, sizeof previous) == NULL || mkdtemp(dir) == NULL) {
        perror("engine_walk");
        return 2;
    }
    snprintf(source, sizeof source, "%s/nonportable.cps", argv[1]);
    snprintf(target, sizeof target, "%s/nonportable.cps", dir);
    /* The copy is made before the change of directory, so that a relative
       data directory works too. */
    if (!copyFile(source, target) || chdir(dir) != 0 || mkdir("externals", 0755) != 0) {
        perror("engine_walk: preparing the working directory");
        remove(target);
        rmdir(dir);
        return 2;
    }

    phaseStart();
    phaseModule();
    phaseGroupsAndServices();
    phaseSections();
    phaseServiceDetails();
    phaseSignalsAndDependencies();
    phaseEnd();

    remove("nonportable.cps");
    rmdir("externals");
    if (chdir(previous) == 0)
        rmdir(dir);
    if (failures != 0) {
        fprintf(stderr, "engine_walk: %d checks failed\n", failures);
        return 1;
    }
    printf("engine_walk: all checks passed\n");
    return 0;
}
